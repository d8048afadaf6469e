// snowvel-verify: `snowvel --verify` alone, for a board's children. It links
// neither the window's libraries nor the rest of the game's command line, so
// a board starts one per run quickly. It takes the same options as
// `snowvel --verify`, that flag too, so either program can be a board's.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "verify_run.h"

int main(int argc, char** argv) {
  CLI::App app{
      "snowvel-verify: re-skis the run on stdin (a run file, a link or its #run= fragment) "
      "unseen and answers one line: ok COURSE RESULT, or refused \"WHY\" (exit 2 unreadable, "
      "3 not reached)",
      "snowvel-verify"};
  app.set_version_flag("--version", "snowvel-verify " SNOWVEL_VERSION);
  VerifyRequest request;
  bool verify = false;  // what snowvel is told; this program does nothing else
  app.add_flag("--verify", verify, "Accepted, as snowvel --verify takes it");
  app.add_option("--max-ticks", request.mostTicks, "Refuse a run that skis past this many ticks")
      ->check(CLI::Range(1u, 100000000u))
      ->capture_default_str();
  app.add_option("--dump", request.dumpFile, "JSON of the game state where the re-ski ended");
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {  // --help, --version
    return app.exit(done);
  } catch (const CLI::ParseError& error) {
    std::fprintf(stderr, "snowvel-verify: %s (see snowvel-verify --help)\n", error.what());
    return 2;
  }
  return runVerify(request);
}
