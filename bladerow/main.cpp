#include "bladerow/bladerow_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<bladerow::Bladerow>(argc, argv); }
