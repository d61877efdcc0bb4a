#include "flowmarch/flowmarch_window.h"
#include "qt/main.h"
int main(int argc, char** argv) { return qt::RunProgram<flowmarch::FlowMarch>(argc, argv); }
