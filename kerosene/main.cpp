#include "kerosene/kerosene_window.h"
#include "frame/main.h"
int main(int argc, char** argv) { return frame::RunProgram<kerosene::Kerosene>(argc, argv); }
