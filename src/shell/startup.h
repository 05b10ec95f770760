#pragma once
// The program's entry: start-up, the event loop and shutdown.

/// Clears the program state, makes the toolkit ready, takes the data folder's lock, builds the main
/// window and loads the data files; a file that could not be read whole is told, and kept from being
/// overwritten in this run. Returns false when the toolkit could not be made ready, or when
/// another program uses the folder (the user is told, nothing is touched).
bool startProgram();

/// Takes events one at a time and dispatches them until QuitFlag is 1.
void runEventLoop();

/// Closes every window and file and gives the folder's lock back. Nothing is saved.
void shutDownProgram();

/// Start-up, loop and shutdown; the process's exit status (2 when another program uses the folder).
int runProgram();
