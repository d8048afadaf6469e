// snowvel-board: the page and a board of re-skied runs from one origin.
#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "board/board_server.h"
#include "board/board_store.h"
#include "board/verifier.h"

namespace {

// Where the board keeps its SQLite file unless told: systemd's state folder,
// else the user's data folder.
std::string defaultDatabase() {
  std::filesystem::path folder;
  if (const char* state = std::getenv("STATE_DIRECTORY"); state && *state) {
    folder = state;
  } else if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
    folder = std::filesystem::path(data) / "snowvel-board";
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    folder = std::filesystem::path(home) / ".local/share/snowvel-board";
  } else {
    folder = "snowvel-board";
  }
  return (folder / "board.sqlite").string();
}

// The verifier installed with the board (libexec, as the package lays it
// out), else the one beside it.
std::string defaultVerifier() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "snowvel-verify";
  const auto folder = self.parent_path();
  const auto installed = folder.parent_path() / "libexec/snowvel-board/snowvel-verify";
  return (std::filesystem::exists(installed, error) ? installed : folder / "snowvel-verify")
      .string();
}

bool splitListen(const std::string& text, BoardOptions* options) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon + 1 == text.size()) return false;
  std::string host = text.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  }
  const std::string port = text.substr(colon + 1);
  if (host.empty() || port.size() > 5 ||
      port.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  options->host = host;
  options->port = std::stoi(port);
  return options->port <= 65535;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "snowvel-board: serves the Snowvel page and a board of runs, each re-skied before it is "
      "ranked. The API is told in docs/board.md.",
      "snowvel-board"};
  std::string listen = "127.0.0.1:8080";
  std::string database = defaultDatabase();
  std::string verifierPath = defaultVerifier();
  BoardOptions options;
  int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  int queue = -1;
  app.add_option("--listen", listen, "ADDR:PORT to listen on (port 0: any free one)")
      ->capture_default_str();
  app.add_option("--site", options.site, "the page's built site folder to serve (build/web/site)")
      ->check(CLI::ExistingDirectory);
  app.add_option("--db", database,
                 "a SQLite file (made if missing) or a postgres:// address to share between boards")
      ->capture_default_str();
  app.add_option("--verifier", verifierPath,
                 "the program that re-skies a run, told --verify (snowvel-verify, or snowvel)")
      ->capture_default_str();
  app.add_option("--jobs", jobs, "re-skis at once (default: the cores)")->check(CLI::Range(1, 256));
  app.add_option("--queue", queue, "submissions that may wait for a re-ski (default: 4 per job)")
      ->check(CLI::Range(0, 10000));
  app.add_option("--rate", options.submissionsPerMinute,
                 "submissions per minute from one address (0: no limit)")
      ->capture_default_str()
      ->check(CLI::Range(0, 1000000));
  CLI11_PARSE(app, argc, argv);
  if (!splitListen(listen, &options)) {
    std::fprintf(stderr, "snowvel-board: --listen takes ADDR:PORT, not %s\n", listen.c_str());
    return 2;
  }
  if (queue < 0) queue = 4 * jobs;
  options.threads = std::max(16, 2 * (jobs + queue));

  // SIGTERM and SIGINT stop the server from a thread of their own; a client
  // that goes away mid-answer is no signal.
  std::signal(SIGPIPE, SIG_IGN);
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  std::unique_ptr<BoardStore> store;
  try {
    if (database.starts_with("postgres://") || database.starts_with("postgresql://")) {
      store = std::make_unique<BoardStore>(openPostgres(database));
    } else {
      const auto folder = std::filesystem::path(database).parent_path();
      if (!folder.empty()) std::filesystem::create_directories(folder);
      store = std::make_unique<BoardStore>(openSqlite(database));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "snowvel-board: %s\n", e.what());
    return 1;
  }
  VerifierPool verifier(verifierPath, jobs, queue);
  std::thread([stopSignals] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    stopBoard();
  }).detach();
  return serveBoard(options, *store, verifier) ? 0 : 1;
}
