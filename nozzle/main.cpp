#include "nozzle/nozzle_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<nozzle::Nozzle>(argc, argv); }
