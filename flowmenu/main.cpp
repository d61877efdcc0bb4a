#include "flowmenu/flowmenu_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<flowmenu::FlowMenu>(argc, argv); }
