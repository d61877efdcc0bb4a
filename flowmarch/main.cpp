#include "flowmarch/flowmarch_window.h"
#include "frame/main.h"
int main(int argc, char** argv) { return frame::RunProgram<flowmarch::FlowMarch>(argc, argv); }
