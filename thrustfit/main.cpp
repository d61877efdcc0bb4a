#include "frame/main.h"

#include "thrustfit/thrustfit.h"

int main(int argc, char** argv) { return frame::RunProgram<thrustfit::Form1>(argc, argv); }
