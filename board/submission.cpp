#include "board/submission.h"

#include <nlohmann/json.hpp>

#include "board/player_name.h"
#include "board/tokens.h"
#include "platform/replay/course_names.h"
#include "platform/replay/run_link.h"

namespace {

constexpr std::string_view kHeaderWords[] = {"snowvel-replay", "rules", "seed",    "screen",
                                             "scale",          "tail",  "profile", "run"};

bool isHeaderLine(std::string_view line) {
  const std::string_view word = line.substr(0, line.find(' '));
  for (std::string_view known : kHeaderWords) {
    if (word == known) return true;
  }
  return false;
}

// JSON nests nothing in a submission: a body nested deeper is refused before
// it is parsed, whatever its size.
bool nestsAtMostOnce(std::string_view body) {
  int depth = 0;
  bool inString = false, escaped = false;
  for (char c : body) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > 1) return false;
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return true;
}

bool readRun(std::string_view sent, Submission* submission, std::string* error) {
  std::string text;
  if (sent.starts_with("snowvel-replay")) {
    if (sent.size() > kMostRunBytes) {
      *error = "the run is longer than 1 MB";
      return false;
    }
    text = sent;
  } else if (!readRunLink(sent, &text, error)) {
    return false;
  }
  Replay replay;
  if (!parseReplay(text, &replay, error)) {
    *error = "the run cannot be read: " + *error;
    return false;
  }
  if (!replay.header.run) {
    *error = "this is a replay, not a kept run (no run line)";
    return false;
  }
  if (courseName(replay.header.run->course).empty()) {
    *error = "the run is of no course the board lists";
    return false;
  }
  submission->run = *replay.header.run;
  submission->rules = replay.header.rules;
  submission->runHash = sha256Hex(canonicalRun(replay, text));
  submission->link = "#" + runLinkFragment(text);
  submission->runText = std::move(text);
  return true;
}

}  // namespace

std::string courseName(std::string_view key) {
  return std::string(courseNameOfKey(key));
}

std::string courseKey(std::string_view name) {
  return std::string(courseKeyOfName(name));
}

std::string canonicalRun(const Replay& replay, std::string_view runText) {
  std::string canonical = replayHeaderText(replay.header);
  bool inHeader = true;
  size_t at = 0;
  while (at < runText.size()) {
    size_t end = runText.find('\n', at);
    if (end == std::string_view::npos) end = runText.size();
    std::string_view line = runText.substr(at, end - at);
    at = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (inHeader && isHeaderLine(line)) continue;
    inHeader = false;
    if (line == "end") break;
    canonical.append(line).push_back('\n');
  }
  const std::string& state = replay.finalState;
  canonical += "end\nstate " + (isStateDigest(state) ? state : stateDigest(state)) + "\n";
  return canonical;
}

bool readSubmission(std::string_view body, Submission* submission, std::string* error) {
  if (body.size() > kMostBodyBytes) {
    *error = "the request is larger than 1.5 MB";
    return false;
  }
  if (!nestsAtMostOnce(body)) {
    *error = "the request nests deeper than a submission does";
    return false;
  }
  const auto json = nlohmann::json::parse(body, nullptr, false);
  if (json.is_discarded() || !json.is_object()) {
    *error = "the request is not a JSON object";
    return false;
  }
  const auto name = json.find("name");
  const auto run = json.find("run");
  if (name == json.end() || !name->is_string()) {
    *error = "the request has no name";
    return false;
  }
  if (run == json.end() || !run->is_string()) {
    *error = "the request has no run";
    return false;
  }
  submission->name = name->get<std::string>();
  if (!checkPlayerName(submission->name, error)) return false;
  submission->token.reset();
  const auto token = json.find("token");
  if (token != json.end() && !token->is_null()) {
    if (!token->is_string() || !isWellFormedToken(token->get_ref<const std::string&>())) {
      *error = "the token is not one this board gives";
      return false;
    }
    submission->token = token->get<std::string>();
  }
  return readRun(run->get_ref<const std::string&>(), submission, error);
}
