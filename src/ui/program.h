// The life of the process: start-up, the message loop, the end.
#pragma once

// Initialises OLE, makes the program's folder the current directory,
// registers the exit routine, creates the main window (fatal error when it
// cannot) and runs the message loop. Returns the exit code, 0.
int StartProgram();
