#include "flowtables/fanno_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<flowtables::Fanno>(argc, argv); }
