// SDL wakes a thread waiting for events by sending an X event to one of its
// windows over a second display connection. When that window is destroyed
// on the main connection meanwhile, the server answers the send with
// BadWindow, and Xlib's default handler ends the program. That one error is
// harmless (nobody is left to wake), so it is let pass; every other X error
// still goes to the handler that was there before.
#pragma once

// Call before SDL_Init: SDL puts back the handler it found when it shuts its
// displays, and the stray error may only be read then. Does nothing where
// Xlib cannot be loaded.
void tolerateLostWakeups();
