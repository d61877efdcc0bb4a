#include "atmosphere/atmosphere_window.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<atmosphere::Atmosphere>(argc, argv); }
