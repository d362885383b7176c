// Termination requests from outside: SIGTERM (a desktop session logging out) and SIGINT (Ctrl+C in a
// terminal) ask the program to end the way the player's own quit does, from whatever loop is running.
// The handler only sets a flag and makes a pipe readable; each loop watches one or the other: the game's
// loop reads the flag on every pass, the toolkit's loops watch the pipe.
#pragma once

namespace zelmar {

// Installs the handlers for SIGTERM and SIGINT (once; later calls do nothing). False when the pipe or a
// handler could not be set up, in which case the signals keep their default action.
bool InstallQuitSignals();
// Whether a termination has been requested.
bool QuitRequested();
// The read end of the pipe that becomes readable, and stays so, once a termination was requested; -1
// before InstallQuitSignals succeeded. Nothing ever reads it, so every watcher sees it.
int QuitSignalFd();

}  // namespace zelmar
