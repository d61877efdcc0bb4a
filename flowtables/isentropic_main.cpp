#include "flowtables/isentropic_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<flowtables::Isentropic>(argc, argv); }
