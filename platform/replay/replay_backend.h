// A Backend decorator that records, or plays back, everything the program
// takes from whichever backend lies under it: every clock reading, every
// wait and the event it brought, every message-box id. What the program
// hands down (pictures, sounds, windows) still reaches the backend under it,
// so a playback can be watched in a real window or checked headless.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/backend.h"
#include "platform/replay/replay_format.h"

struct ReplayHooks {
  // The game state as one line of text; taken when the first close request
  // passes, or at the finish if none ever did.
  std::function<std::string()> stateText;
  // Playback only: the clock the program now sees, and the answer a box
  // about to be shown will get, for a backend under us that keeps records.
  std::function<void(uint32_t clock)> clockChanged;
  std::function<void(int answer)> boxAnswerAhead;
  // Playback only: show the run at the pace it was recorded, keeping the
  // window under us alive while waiting.
  bool realTime = false;
  // Playback only, instead of realTime: called at each new clock reading;
  // false stops the playback without a verdict (a viewer that seeks back).
  std::function<bool(uint32_t clock)> pace;
  // Playback of a kept run: the run reached its result, the stream used up.
  std::function<void()> runEnded;
};

// Puts a recorder over the current backend; header.seed and the screen are
// read from the backend under it. False with a message in error.
bool startReplayRecording(const std::string& path, ReplayHeader header, ReplayHooks hooks,
                          std::string* error);
// Puts a player of replay over the current backend. The run is shared, not
// copied: a run of hours takes hundreds of MB, and a viewer plays it again
// after every seek back.
void startReplayPlayback(std::shared_ptr<const Replay> replay, ReplayHooks hooks);

// A recording so far as a kept run, ending here with the given state; empty
// when nothing is being recorded.
std::string recordedRunText(const RunResult& run, const std::string& finalState);

// The high-score list of course is being written. A playback of a kept run
// of that course whose stream is used up has reached the run's result.
void noteResultWritten(const std::string& course);
// Whether the playback reached its kept run's result.
bool replayReachedRunEnd();

// Ends the recording or playback. A recording writes its end and state; a
// playback checks that the program used up the whole stream and ended in
// the recorded state. False with "line N: ..." or a state difference in
// error.
bool finishReplay(std::string* error);
