#include "atmosphere/atmosphere_window.h"
#include "qt/main.h"

int main(int argc, char** argv) { return qt::RunProgram<atmosphere::Atmosphere>(argc, argv); }
