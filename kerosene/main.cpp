#include "kerosene/kerosene_window.h"
#include "qt/main.h"
int main(int argc, char** argv) { return qt::RunProgram<kerosene::Kerosene>(argc, argv); }
