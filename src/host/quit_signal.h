// Ctrl+C and SIGTERM ask the game to end in order, whichever host runs it.
//
// The handler is installed once, as the program starts, before anything
// slow, and stays installed: a second signal while the game shuts down is
// the same request again, never a kill. The hosts look at the flag in every
// blocking call and turn it into a QuitRequest.
#pragma once

// Installs the handler for SIGINT and SIGTERM (again is harmless), and
// ignores SIGPIPE, so that writing into a closed pipe fails as a write.
void CatchQuitSignals();
// Whether one of them arrived since the start or the last ForgetQuitSignal.
bool QuitSignalled();
// Forgets an earlier signal (a host that closes has honoured it).
void ForgetQuitSignal();
