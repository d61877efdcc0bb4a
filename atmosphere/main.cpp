#include "atmosphere/atmosphere.h"
#include "frame/main.h"

int main(int argc, char** argv) { return frame::RunProgram<atmosphere::Atmosphere>(argc, argv); }
