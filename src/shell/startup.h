#pragma once
// The program's entry: start-up, the event loop and shutdown.

/// Clears the program state, makes the toolkit ready, builds the main window and loads the data
/// files. Returns false when the toolkit could not be made ready.
bool startProgram();

/// Takes events one at a time and dispatches them until QuitFlag is 1.
void runEventLoop();

/// Closes every window and file. Nothing is saved.
void shutDownProgram();

/// Start-up, loop and shutdown; the process's exit status.
int runProgram();
