#include "frame/main.h"

#include "thrustfit/thrustfit_window.h"

int main(int argc, char** argv) { return frame::RunProgram<thrustfit::Form1>(argc, argv); }
