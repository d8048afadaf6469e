#include <sqlite3.h>

#include <mutex>
#include <optional>
#include <string_view>

#include "board/sql_database.h"

namespace {

// SQLite numbers its parameters ?1, ?2...: the board writes $1, $2....
std::string sqliteParameters(std::string sql) {
  for (char& c : sql) {
    if (c == '$') c = '?';
  }
  return sql;
}

// A number goes in as one (LIMIT takes no text); a column of text turns
// it back into the same digits.
std::optional<sqlite3_int64> canonicalInteger(const std::string& text) {
  const size_t digits = text.size() - (text.starts_with('-') ? 1 : 0);
  if (digits == 0 || digits > 18) return std::nullopt;
  const std::string_view body = std::string_view(text).substr(text.size() - digits);
  if (body.size() > 1 && body.front() == '0') return std::nullopt;
  if (text == "-0") return std::nullopt;
  for (char c : body) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  return std::stoll(text);
}

class SqliteSession : public SqlSession {
 public:
  SqliteSession(sqlite3* db, std::unique_lock<std::mutex> lock) : db_(db), lock_(std::move(lock)) {}
  ~SqliteSession() override {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }

  std::vector<Row> query(const std::string& sql, const std::vector<std::string>& params) override {
    std::vector<Row> rows;
    run(sql, params, &rows);
    return rows;
  }
  long long execute(const std::string& sql, const std::vector<std::string>& params) override {
    run(sql, params, nullptr);
    return sqlite3_changes(db_);
  }
  void beginWrite() override { execute("BEGIN IMMEDIATE", {}); }
  void lockForMigration() override {}

 private:
  void run(const std::string& sql, const std::vector<std::string>& params, std::vector<Row>* rows) {
    sqlite3_stmt* statement = nullptr;
    const std::string text = sqliteParameters(sql);
    if (sqlite3_prepare_v2(db_, text.c_str(), -1, &statement, nullptr) != SQLITE_OK) fail();
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owned(statement, sqlite3_finalize);
    for (size_t i = 0; i < params.size(); ++i) {
      const int index = static_cast<int>(i + 1);
      if (const auto number = canonicalInteger(params[i])) {
        sqlite3_bind_int64(statement, index, *number);
      } else {
        sqlite3_bind_text(statement, index, params[i].data(), static_cast<int>(params[i].size()),
                          SQLITE_TRANSIENT);
      }
    }
    for (;;) {
      const int step = sqlite3_step(statement);
      if (step == SQLITE_DONE) return;
      if (step != SQLITE_ROW) fail();
      if (rows == nullptr) continue;
      Row row;
      for (int column = 0; column < sqlite3_column_count(statement); ++column) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        row.emplace_back(text ? std::string(text, sqlite3_column_bytes(statement, column)) : "");
      }
      rows->push_back(std::move(row));
    }
  }
  [[noreturn]] void fail() {
    throw StoreUnavailable(std::string("sqlite: ") + sqlite3_errmsg(db_));
  }

  sqlite3* db_;
  std::unique_lock<std::mutex> lock_;
};

// One connection, one request at a time: SQLite writes one at a time anyway,
// and its reads take microseconds.
class SqliteDatabase : public SqlDatabase {
 public:
  explicit SqliteDatabase(const std::string& path) {
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
      const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw std::runtime_error("cannot open " + path + ": " + why);
    }
    sqlite3_busy_timeout(db_, 5000);
    // A write is on the disk before the board answers "accepted".
    sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON",
                 nullptr, nullptr, nullptr);
  }
  ~SqliteDatabase() override { sqlite3_close(db_); }
  const char* engine() const override { return "sqlite"; }
  std::shared_ptr<SqlSession> session() override {
    return std::make_shared<SqliteSession>(db_, std::unique_lock(mutex_));
  }

 private:
  sqlite3* db_ = nullptr;
  std::mutex mutex_;
};

}  // namespace

std::unique_ptr<SqlDatabase> openSqlite(const std::string& path) {
  return std::make_unique<SqliteDatabase>(path);
}
