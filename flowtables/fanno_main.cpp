#include "flowtables/fanno_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<flowtables::Fanno>(argc, argv); }
