// Signals that end the game: SIGTERM, SIGINT, SIGHUP (the terminal went away) and SIGQUIT close
// the window the way its close button does, so the settings and scores are saved. The handler
// only takes note; the window's event pump turns the note into a close.
#pragma once

namespace quandel {

// Installs the handlers (again is harmless) and ignores SIGPIPE. A signal the game was started
// with ignored (nohup, a background job of a script) stays ignored. A second SIGINT or SIGQUIT
// (the key pressed again because the first seemed to do nothing) ends the game at once.
void InstallStopSignals();

// The first stop signal received so far, or 0.
int StopSignal();
// True once, the first time it is asked after a stop signal arrived.
bool TakeStopSignal();
// Readable once a stop signal has arrived, for waits that must end on one; -1 before install.
int StopSignalFd();

}  // namespace quandel
