// SIGINT and SIGTERM end the game as the close box does. SDL's own handlers
// only mark the quit, which a wait with no timeout never gets to see; so the
// signals are taken by a thread of their own, which wakes the window thread
// with SDL_QUIT.
#pragma once

// Blocks the two signals in this thread (and every thread started after it)
// and starts the thread that waits for them. Call before SDL_Init.
void takeQuitSignals();
