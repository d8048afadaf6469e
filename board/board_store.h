// The board's tables and what it does with them, the same on every engine:
// players who claimed a name (with their token's hash) and the runs entered.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/sql_database.h"

struct BoardEntry {
  std::string name;
  int64_t result = 0;
  std::string date;  // when it was entered, ISO 8601 UTC
  std::string link;  // "#run=..."
};

struct NewRun {
  std::string name;
  std::string tokenHash;  // the hash of the token sent, or of a new one
  bool claimsName = false;
  std::string runHash;
  std::string course;  // the high-score key
  int rules = 0;
  int64_t result = 0;
  std::string link;
};

enum class Entered { Accepted, Duplicate, NameTaken };

struct EnterOutcome {
  Entered what = Entered::Accepted;
  int64_t rank = 0;
};

class BoardStore {
 public:
  // Brings the schema up to this board's version; throws when the database
  // is of a newer board or cannot be reached.
  explicit BoardStore(std::unique_ptr<SqlDatabase> database);
  const char* engine() const { return database_->engine(); }

  // Whether the database answers.
  void check();
  // What entering would say, read without writing: lets the board refuse a
  // taken name or a duplicate before it spends a re-ski on it.
  std::optional<Entered> precheck(const NewRun& run);
  // Claims the name if asked, enters the run and returns its rank, all in one
  // transaction: committed before it returns Accepted.
  EnterOutcome enter(const NewRun& run);
  std::vector<BoardEntry> top(const std::string& course, int rules, int limit);

 private:
  void migrate();
  std::unique_ptr<SqlDatabase> database_;
};

// Now, as the board writes dates: 2026-12-09T18:05:07.123Z.
std::string utcNow();
