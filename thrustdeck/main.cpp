#include "thrustdeck/thrustdeck_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<thrustdeck::JetCycle>(argc, argv); }
