#include "board/board_store.h"

#include <cstdio>
#include <ctime>

#include "board/tokens.h"

namespace {

// Each version's statements, applied in order and recorded in board_schema;
// a released version is never edited, a change is a new one.
const std::vector<std::vector<std::string>> kMigrations = {
    {
        "CREATE TABLE players (name TEXT PRIMARY KEY, token_hash TEXT NOT NULL, "
        "claimed_at TEXT NOT NULL)",
        "CREATE TABLE runs (run_hash TEXT PRIMARY KEY, name TEXT NOT NULL REFERENCES "
        "players(name), "
        "course TEXT NOT NULL, rules INTEGER NOT NULL, result BIGINT NOT NULL, "
        "sort_key BIGINT NOT NULL, entered_at TEXT NOT NULL, link TEXT NOT NULL)",
        "CREATE INDEX runs_by_rank ON runs (course, rules, sort_key, entered_at)",
    },
};

int64_t sortKey(const NewRun& run) {
  return run.course == "FS" ? -run.result : run.result;
}

}  // namespace

std::string utcNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm utc{};
  gmtime_r(&now.tv_sec, &utc);
  char text[40];
  const size_t length = strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  snprintf(text + length, sizeof text - length, ".%03dZ", static_cast<int>(now.tv_nsec / 1000000));
  return text;
}

BoardStore::BoardStore(std::unique_ptr<SqlDatabase> database) : database_(std::move(database)) {
  migrate();
}

void BoardStore::migrate() {
  auto session = database_->session();
  session->beginWrite();
  session->lockForMigration();
  session->execute("CREATE TABLE IF NOT EXISTS board_schema (version INTEGER NOT NULL)", {});
  const auto rows = session->query("SELECT COALESCE(MAX(version), 0) FROM board_schema", {});
  const int current = std::stoi(rows.at(0).at(0));
  if (current > static_cast<int>(kMigrations.size())) {
    throw std::runtime_error("the database is of a newer board (schema " + std::to_string(current) +
                             ")");
  }
  for (size_t version = current + 1; version <= kMigrations.size(); ++version) {
    for (const std::string& statement : kMigrations[version - 1]) session->execute(statement, {});
    session->execute("INSERT INTO board_schema (version) VALUES ($1)", {std::to_string(version)});
  }
  session->execute("COMMIT", {});
}

void BoardStore::check() {
  database_->session()->query("SELECT 1", {});
}

std::optional<Entered> BoardStore::precheck(const NewRun& run) {
  auto session = database_->session();
  if (!session->query("SELECT 1 FROM runs WHERE run_hash = $1", {run.runHash}).empty()) {
    return Entered::Duplicate;
  }
  const auto owner = session->query("SELECT token_hash FROM players WHERE name = $1", {run.name});
  if (!owner.empty() && (run.claimsName || !sameHash(owner[0][0], run.tokenHash))) {
    return Entered::NameTaken;
  }
  return std::nullopt;
}

EnterOutcome BoardStore::enter(const NewRun& run) {
  auto session = database_->session();
  session->beginWrite();
  // Two boards claiming one name at once: the unique name lets one insert
  // and makes the other wait for it, then find it taken.
  const long long claimed = session->execute(
      "INSERT INTO players (name, token_hash, claimed_at) VALUES ($1, $2, $3) "
      "ON CONFLICT (name) DO NOTHING",
      {run.name, run.tokenHash, utcNow()});
  if (claimed == 0) {
    const auto owner = session->query("SELECT token_hash FROM players WHERE name = $1", {run.name});
    if (run.claimsName || owner.empty() || !sameHash(owner[0][0], run.tokenHash)) {
      return {Entered::NameTaken, 0};
    }
  }
  const long long added = session->execute(
      "INSERT INTO runs (run_hash, name, course, rules, result, sort_key, entered_at, link) "
      "VALUES ($1, $2, $3, $4, $5, $6, $7, $8) ON CONFLICT (run_hash) DO NOTHING",
      {run.runHash, run.name, run.course, std::to_string(run.rules), std::to_string(run.result),
       std::to_string(sortKey(run)), utcNow(), run.link});
  if (added == 0) return {Entered::Duplicate, 0};  // the session rolls back the claim
  const auto ahead =
      session->query("SELECT COUNT(*) FROM runs WHERE course = $1 AND rules = $2 AND sort_key < $3",
                     {run.course, std::to_string(run.rules), std::to_string(sortKey(run))});
  session->execute("COMMIT", {});
  return {Entered::Accepted, std::stoll(ahead.at(0).at(0)) + 1};
}

std::vector<BoardEntry> BoardStore::top(const std::string& course, int rules, int limit) {
  auto session = database_->session();
  const auto rows = session->query(
      "SELECT name, result, entered_at, link FROM runs WHERE course = $1 AND rules = $2 "
      "ORDER BY sort_key, entered_at, run_hash LIMIT $3",
      {course, std::to_string(rules), std::to_string(limit)});
  std::vector<BoardEntry> entries;
  for (const auto& row : rows) entries.push_back({row[0], std::stoll(row[1]), row[2], row[3]});
  return entries;
}
