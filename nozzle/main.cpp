#include "nozzle/nozzle_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<nozzle::Nozzle>(argc, argv); }
