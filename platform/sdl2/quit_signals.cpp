#include "platform/sdl2/quit_signals.h"

#include <SDL.h>
#include <pthread.h>
#include <signal.h>

#include <thread>

void takeQuitSignals() {
  static bool taken = false;
  if (taken) return;
  taken = true;
  sigset_t quitSignals;
  sigemptyset(&quitSignals);
  sigaddset(&quitSignals, SIGINT);
  sigaddset(&quitSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &quitSignals, nullptr);
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  std::thread([quitSignals] {
    for (;;) {
      int signal = 0;
      if (sigwait(&quitSignals, &signal) != 0) continue;
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);  // safe from any thread, and wakes the wait
    }
  }).detach();
}
