// handheld-manager: the executable's entry (ProgramMain.h says what a run does).
#include "ProgramMain.h"

int main(int argc, char** argv) { return ProgramMain(argc, argv); }
