#include "flowmenu/flowmenu_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<flowmenu::FlowMenu>(argc, argv); }
