#include "flowtables/isoheat_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<flowtables::IsoHeat>(argc, argv); }
