#include "stagemap/stagemap_window.h"
#include "qt/main.h"
int main(int argc, char** argv) { return qt::RunProgram<stagemap::StageMap>(argc, argv); }
