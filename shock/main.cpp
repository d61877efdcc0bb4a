#include "shock/shock_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<shock::Shock>(argc, argv); }
