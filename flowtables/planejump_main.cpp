#include "flowtables/planejump_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<flowtables::PlaneJump>(argc, argv); }
