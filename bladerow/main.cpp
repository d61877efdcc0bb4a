#include "bladerow/bladerow.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<bladerow::Bladerow>(argc, argv); }
