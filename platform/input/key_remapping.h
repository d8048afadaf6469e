// The bindings as a Backend decorator, as the replay recorder is one: keys
// from whichever backend lies under it (each names the key's place in
// BackendEvent::physicalKey) reach the program as the messages their
// actions send. Put the recorder over it, so a replay holds the messages the
// game saw and plays back the same under any bindings.
#pragma once

// Puts the remapping over the current backend, reading keyBindings().
void startKeyRemapping();
