#include "stagemap/stagemap_window.h"
#include "frame/main.h"
int main(int argc, char** argv) { return frame::RunProgram<stagemap::StageMap>(argc, argv); }
