#include "shock/shock_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<shock::Shock>(argc, argv); }
