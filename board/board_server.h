// The board over HTTP: the JSON API under /api and, from the same origin,
// the page's static site.
#pragma once

#include <string>

#include "board/board_store.h"
#include "board/rate_limiter.h"
#include "board/verifier.h"

struct BoardOptions {
  std::string host = "127.0.0.1";
  int port = 8080;
  std::string site;  // empty: the API alone
  int submissionsPerMinute = 30;
  int threads = 32;
};

// Serves until stop() is asked for (SIGTERM, SIGINT). False with a line on
// stderr when it cannot listen.
bool serveBoard(const BoardOptions& options, BoardStore& store, VerifierPool& verifier);
void stopBoard();
