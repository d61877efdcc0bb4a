#include "ringflow/ringflow_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<ringflow::Ringflow>(argc, argv); }
