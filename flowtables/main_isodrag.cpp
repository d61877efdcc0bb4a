#include "flowtables/isodrag.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<flowtables::IsoDrag>(argc, argv); }
