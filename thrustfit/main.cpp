#include "thrustfit/thrustfit.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<thrustfit::Form1>(argc, argv); }
