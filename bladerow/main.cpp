#include "bladerow/bladerow_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<bladerow::Bladerow>(argc, argv); }
