#include "qt/main.h"

#include "shaftfit/shaftfit_window.h"

int main(int argc, char** argv) { return qt::RunProgram<shaftfit::Form1>(argc, argv); }
