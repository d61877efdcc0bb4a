#include "ringflow/ringflow_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<ringflow::Ringflow>(argc, argv); }
