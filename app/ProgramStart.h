#pragma once

// Starts the program: Italian as its language and locale, the start-up of MainModule, then the main
// window until it is closed.
// Returns the process's exit status: 1 when the start ended with a critical message (no window was
// shown), otherwise the status of the event loop.
int startProgram();
