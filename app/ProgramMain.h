// ProgramMain: the program's run from start to end (ProgramMain.cpp tells its steps and
// options), callable by the executable's entry and by test programs.
#pragma once

// Runs the program with its command line and returns its exit status: 0, or 2 for an option
// it does not understand.
int ProgramMain(int argc, char** argv);
