#include "qt/main.h"

#include "thrustfit/thrustfit_window.h"

int main(int argc, char** argv) { return qt::RunProgram<thrustfit::Form1>(argc, argv); }
