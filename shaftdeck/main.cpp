#include "shaftdeck/shaftdeck_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<shaftdeck::Shaftdeck>(argc, argv); }
