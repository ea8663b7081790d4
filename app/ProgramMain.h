// ProgramMain: the program's start and end.
//
// The units are started in dependency order (the class library's core and GUI layer, the
// language manager, the program's own units), the application object is initialised, the main
// window, the only window created at start, is created, and the message loop runs until the
// window closes. A worker still running then is waited for (EndWorkers), and only then are the
// units finalised, in reverse order.
//
// Two options show the window a given way for a picture of it (with the GUI layer's
// "--screenshot FILE"); a run with either of them neither reads nor writes the settings file:
//   --page about|ftp|comm|special|os   the page shown (the run mode's page otherwise)
//   --language N                       the language with index N of the language menu
#pragma once

// Runs the program with its command line and returns its exit status: 0, or 2 for an option
// it does not understand.
int ProgramMain(int argc, char** argv);
