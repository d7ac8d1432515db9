#include "app/program.h"

int main(int argc, char** argv) { return kurvex::RunProgram(argc, argv); }
