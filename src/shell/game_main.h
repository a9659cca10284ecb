// The entry point's work, callable from tests: parse the command line, choose
// and open the host, start up, run the main loop, shut down.
#pragma once

// Returns the process exit code: 0 after a normal quit, 1 when the game could
// not start, 2 for a bad command line.
int GameMain(int argc, const char* const* argv);
