#include "shaftdeck/shaftdeck_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<shaftdeck::Shaftdeck>(argc, argv); }
