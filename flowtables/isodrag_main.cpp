#include "flowtables/isodrag_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<flowtables::IsoDrag>(argc, argv); }
