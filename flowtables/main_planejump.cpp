#include "flowtables/planejump.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<flowtables::PlaneJump>(argc, argv); }
