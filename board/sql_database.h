// The little the board asks of a SQL engine, so that its schema and queries
// are written once for SQLite and PostgreSQL: parameterised statements
// ($1, $2... as text) and transactions on one session at a time.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// The database cannot answer now (down, restarting, locked too long): the
// request is answered "try again" and the next one tries anew.
struct StoreUnavailable : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class SqlSession {
 public:
  using Row = std::vector<std::string>;
  virtual ~SqlSession() = default;
  virtual std::vector<Row> query(const std::string& sql,
                                 const std::vector<std::string>& params) = 0;
  // The number of rows the statement changed.
  virtual long long execute(const std::string& sql, const std::vector<std::string>& params) = 0;
  // A transaction that writes: SQLite takes its write lock at once.
  virtual void beginWrite() = 0;
  // Keeps two boards from migrating the same database at once.
  virtual void lockForMigration() = 0;
};

class SqlDatabase {
 public:
  virtual ~SqlDatabase() = default;
  virtual const char* engine() const = 0;
  // One session for this request alone; given back when the pointer goes.
  virtual std::shared_ptr<SqlSession> session() = 0;
};

std::unique_ptr<SqlDatabase> openSqlite(const std::string& path);
std::unique_ptr<SqlDatabase> openPostgres(const std::string& url);
