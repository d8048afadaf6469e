#include "board/board_server.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "board/site_files.h"
#include "board/submission.h"
#include "board/tokens.h"
#include "platform/replay/course_names.h"
#include "platform/replay/replay_format.h"

namespace {

httplib::Server* running = nullptr;

// The page needs its inline script and style and compiles WebAssembly; it
// talks to its own origin alone.
constexpr const char* kPagePolicy =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; "
    "style-src 'self' 'unsafe-inline'; img-src 'self' data: blob:; media-src 'self' data: blob:; "
    "connect-src 'self'; worker-src 'self'; manifest-src 'self'; object-src 'none'; "
    "base-uri 'none'; frame-ancestors 'none'; form-action 'self'";

void answer(httplib::Response& res, int status, const nlohmann::json& body) {
  res.status = status;
  res.set_header("Cache-Control", "no-store");
  res.set_content(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                  "application/json");
}

void refuse(httplib::Response& res, int status, const std::string& line) {
  if (status == 503) res.set_header("Retry-After", "1");
  answer(res, status, {{"error", line}});
}

// A log line quotes what the client sent: control bytes escaped, cut short.
std::string excerpt(std::string_view text) {
  std::string line;
  for (unsigned char c : text.substr(0, 200)) {
    if (c < 0x20 || c == 0x7F || c == '\\') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
      line += escaped;
    } else {
      line += static_cast<char>(c);
    }
  }
  return line;
}

// A browser names the page's origin when it posts: another origin's page
// may not send runs in a visitor's name.
bool fromOwnOrigin(const httplib::Request& req) {
  if (!req.has_header("Origin")) return true;
  const std::string origin = req.get_header_value("Origin");
  const std::string host = req.get_header_value("Host");
  return !host.empty() && (origin == "http://" + host || origin == "https://" + host);
}

void logRequest(const httplib::Request& req, const httplib::Response& res) {
  std::string why;
  if (res.status >= 400 && res.body.size() < 1024) {
    const auto body = nlohmann::json::parse(res.body, nullptr, false);
    if (body.is_object() && body.contains("error") && body["error"].is_string()) {
      why = " \"" + excerpt(body["error"].get<std::string>()) + "\"";
    }
  }
  std::fprintf(stderr, "%s %s %s %s %d %zu%s\n", utcNow().c_str(), req.remote_addr.c_str(),
               excerpt(req.method).c_str(), excerpt(req.path).c_str(), res.status, res.body.size(),
               why.c_str());
}

class BoardApi {
 public:
  BoardApi(const BoardOptions& options, BoardStore& store, VerifierPool& verifier)
      : store_(store), verifier_(verifier), limiter_(options.submissionsPerMinute) {}

  void submit(const httplib::Request& req, httplib::Response& res) {
    if (!fromOwnOrigin(req)) return refuse(res, 403, "runs are taken from this board's page only");
    if (!limiter_.allow(req.remote_addr)) {
      return refuse(res, 429, "too many runs from this address, wait a minute");
    }
    Submission submission;
    std::string error;
    if (!readSubmission(req.body, &submission, &error)) return refuse(res, 400, error);
    const std::string token = submission.token ? *submission.token : newToken();
    NewRun run{submission.name,       sha256Hex(token), !submission.token,     submission.runHash,
               submission.run.course, submission.rules, submission.run.result, submission.link};
    try {
      if (const auto known = store_.precheck(run)) return refuseEntry(res, *known);
      const Verdict verdict = verifier_.verify(submission.runText);
      switch (verdict.kind) {
        case Verdict::Busy:
          return refuse(res, 503, "busy, try again");
        case Verdict::Unreadable:
          return refuse(res, 422, "the run cannot be re-skied: " + verdict.reason);
        case Verdict::NotReached:
          return refuse(res, 422, "the re-ski does not reach the run's result: " + verdict.reason);
        case Verdict::Failed:
          return refuse(res, 500, "the run could not be re-skied: " + verdict.reason);
        case Verdict::Reached:
          break;
      }
      // The child is trusted only where it agrees with the run itself.
      if (verdict.course != submission.run.course || verdict.result != submission.run.result) {
        return refuse(res, 422, "the re-ski does not reach the result the run claims");
      }
      const EnterOutcome outcome = store_.enter(run);
      if (outcome.what != Entered::Accepted) return refuseEntry(res, outcome.what);
      answer(res, 200,
             {{"accepted", true},
              {"course", courseName(run.course)},
              {"result", run.result},
              {"rank", outcome.rank},
              {"token", token}});
    } catch (const StoreUnavailable& e) {
      std::fprintf(stderr, "%s store: %s\n", utcNow().c_str(), excerpt(e.what()).c_str());
      refuse(res, 503, "the board's database is not answering, try again");
    }
  }

  void list(const httplib::Request& req, httplib::Response& res) {
    const std::string course = courseKey(req.matches[1].str());
    int rules = kRulesVersion, limit = 10;
    if (!readNumber(req, "rules", 1, 1000, &rules) || !readNumber(req, "limit", 1, 1000, &limit)) {
      return refuse(res, 400, "rules and limit are whole numbers from 1 to 1000");
    }
    try {
      nlohmann::json entries = nlohmann::json::array();
      for (const BoardEntry& entry : store_.top(course, rules, limit)) {
        entries.push_back({{"name", entry.name},
                           {"result", entry.result},
                           {"date", entry.date},
                           {"link", entry.link}});
      }
      answer(res, 200, entries);
    } catch (const StoreUnavailable& e) {
      refuse(res, 503, "the board's database is not answering, try again");
    }
  }

  void health(httplib::Response& res) {
    try {
      store_.check();
      answer(res, 200, {{"ok", true}, {"store", store_.engine()}, {"rules", kRulesVersion}});
    } catch (const StoreUnavailable& e) {
      refuse(res, 503, "the board's database is not answering");
    }
  }

 private:
  static bool readNumber(const httplib::Request& req, const char* key, int least, int most,
                         int* value) {
    if (!req.has_param(key)) return true;
    const std::string text = req.get_param_value(key);
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
      return false;
    }
    *value = std::stoi(text);
    return *value >= least && *value <= most;
  }

  static void refuseEntry(httplib::Response& res, Entered what) {
    if (what == Entered::Duplicate) return refuse(res, 409, "this run is already on the board");
    refuse(res, 403, "this name is taken: send its token, or pick another name");
  }

  BoardStore& store_;
  VerifierPool& verifier_;
  RateLimiter limiter_;
};

std::string errorLine(int status) {
  switch (status) {
    case 413:
      return "the request is too large (a run goes as application/json, at most 1.5 MB)";
    case 404:
      return "nothing here";
    case 405:
      return "this address takes another method";
    case 408:
      return "the request came too slowly";
    case 414:
      return "the address is too long";
    default:
      return "the request cannot be read";
  }
}

}  // namespace

bool serveBoard(const BoardOptions& options, BoardStore& store, VerifierPool& verifier) {
  httplib::Server server;
  BoardApi api(options, store, verifier);
  const int threads = options.threads;
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  server.set_payload_max_length(kMostBodyBytes);
  server.set_read_timeout(5, 0);
  server.set_write_timeout(5, 0);
  server.set_keep_alive_timeout(2);
  server.set_keep_alive_max_count(100);
  server.set_default_headers({{"X-Content-Type-Options", "nosniff"}});
  server.set_logger(logRequest);

  server.Post("/api/runs", [&](const auto& req, auto& res) { api.submit(req, res); });
  std::string courses;
  for (const CourseName& course : kCourseNames)
    courses += (courses.empty() ? "" : "|") + std::string(course.name);
  server.Get("/api/board/(" + courses + ")",
             [&](const auto& req, auto& res) { api.list(req, res); });
  server.Get("/api/health", [&](const auto&, auto& res) { api.health(res); });
  server.set_error_handler([](const httplib::Request& req, httplib::Response& res) {
    if (!res.body.empty()) return;
    if (req.path.starts_with("/api/") || res.status != 404)
      refuse(res, res.status, errorLine(res.status));
  });

  if (!options.site.empty()) {
    // After the API's routes, which come first.
    if (!serveSiteFiles(server, options.site)) {
      std::fprintf(stderr, "snowvel-board: %s is no folder to serve\n", options.site.c_str());
      return false;
    }
    // After routing, for a HEAD as for a GET: the page asks with HEAD.
    server.set_post_routing_handler([](const httplib::Request&, httplib::Response& res) {
      if (res.get_header_value("Content-Type").starts_with("text/html")) {
        res.set_header("Content-Security-Policy", kPagePolicy);
        res.set_header("Snowvel-Board", "yes");  // the page shows its Board panel
      }
    });
  }

  const int port = options.port == 0
                       ? server.bind_to_any_port(options.host)
                       : (server.bind_to_port(options.host, options.port) ? options.port : -1);
  if (port < 0) {
    std::fprintf(stderr, "snowvel-board: cannot listen on %s:%d\n", options.host.c_str(),
                 options.port);
    return false;
  }
  std::fprintf(stderr, "snowvel-board: listening on http://%s:%d (%s)\n", options.host.c_str(),
               port, store.engine());
  running = &server;
  const bool served = server.listen_after_bind();
  running = nullptr;
  return served;
}

void stopBoard() {
  if (running != nullptr) running->stop();
}
