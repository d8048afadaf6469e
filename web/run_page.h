// The page's side of kept runs: the session recorded and good runs kept in
// the stored folder and listed with their links; a run handed over by a
// link or a file re-skied, its result told, and shown in the viewer.
#pragma once

#include <string>

// Records the session from here on; keeps runs under folder/runs.
void recordPageSession(const std::string& folder, const std::string& tail);

// A run the page was given: re-skied and watched (true; the viewer holds the
// page from then on, and the page offers to play or to race the run). False when there is none, or
// when it cannot be read (the page then says why in one line and the game is played).
bool watchPageRun();

// Ghosts: the run the page was asked to race, else the best kept run of each
// course; the ghost button's state from the page's storage.
void startPageGhosts();
