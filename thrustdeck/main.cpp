#include "thrustdeck/thrustdeck_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<thrustdeck::JetCycle>(argc, argv); }
