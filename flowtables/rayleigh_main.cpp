#include "flowtables/rayleigh_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<flowtables::Rayleigh>(argc, argv); }
