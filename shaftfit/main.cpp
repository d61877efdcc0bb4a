#include "frame/main.h"

#include "shaftfit/shaftfit_window.h"

int main(int argc, char** argv) { return frame::RunProgram<shaftfit::Form1>(argc, argv); }
