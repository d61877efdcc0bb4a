#include "stagemap/stagemap.h"
#include "frame/main.h"
int main(int argc, char** argv) { return frame::RunProgram<stagemap::StageMap>(argc, argv); }
