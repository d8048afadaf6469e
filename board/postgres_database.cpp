#include <libpq-fe.h>

#include <mutex>

#include "board/sql_database.h"

namespace {

using Connection = std::unique_ptr<PGconn, void (*)(PGconn*)>;
using Result = std::unique_ptr<PGresult, void (*)(PGresult*)>;

class PostgresDatabase;

class PostgresSession : public SqlSession {
 public:
  PostgresSession(PostgresDatabase* owner, Connection connection)
      : owner_(owner), connection_(std::move(connection)) {}
  ~PostgresSession() override;

  std::vector<Row> query(const std::string& sql, const std::vector<std::string>& params) override {
    Result result = run(sql, params);
    std::vector<Row> rows;
    for (int r = 0; r < PQntuples(result.get()); ++r) {
      Row row;
      for (int c = 0; c < PQnfields(result.get()); ++c) {
        row.emplace_back(PQgetvalue(result.get(), r, c), PQgetlength(result.get(), r, c));
      }
      rows.push_back(std::move(row));
    }
    return rows;
  }
  long long execute(const std::string& sql, const std::vector<std::string>& params) override {
    Result result = run(sql, params);
    const char* count = PQcmdTuples(result.get());
    return *count ? std::stoll(count) : 0;
  }
  void beginWrite() override {
    execute("BEGIN", {});
    inTransaction_ = true;
  }
  void lockForMigration() override { query("SELECT pg_advisory_xact_lock(2029)", {}); }

 private:
  Result run(const std::string& sql, const std::vector<std::string>& params) {
    std::vector<const char*> values;
    std::vector<int> lengths;
    for (const std::string& p : params) {
      values.push_back(p.c_str());
      lengths.push_back(static_cast<int>(p.size()));
    }
    Result result(PQexecParams(connection_.get(), sql.c_str(), static_cast<int>(params.size()),
                               nullptr, values.data(), lengths.data(), nullptr, 0),
                  PQclear);
    const auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
      if (PQstatus(connection_.get()) != CONNECTION_OK) forgetIdle();
      std::string why = PQerrorMessage(connection_.get());
      while (!why.empty() && (why.back() == '\n' || why.back() == ' ')) why.pop_back();
      throw StoreUnavailable("postgres: " + why.substr(0, why.find('\n')));
    }
    if (sql == "COMMIT" || sql == "ROLLBACK") inTransaction_ = false;
    return result;
  }

  void forgetIdle();
  friend class PostgresDatabase;
  PostgresDatabase* owner_;
  Connection connection_;
  bool inTransaction_ = false;
};

// A few connections kept open for the requests that come; one that broke
// (the server restarted) is dropped and the next request connects anew.
class PostgresDatabase : public SqlDatabase {
 public:
  explicit PostgresDatabase(std::string url) : url_(std::move(url)) {}
  const char* engine() const override { return "postgres"; }

  std::shared_ptr<SqlSession> session() override {
    {
      std::lock_guard lock(mutex_);
      if (!idle_.empty()) {
        Connection connection = std::move(idle_.back());
        idle_.pop_back();
        return std::make_shared<PostgresSession>(this, std::move(connection));
      }
    }
    const char* keys[] = {"dbname", "connect_timeout", "application_name", nullptr};
    const char* values[] = {url_.c_str(), "3", "snowvel-board", nullptr};
    Connection connection(PQconnectdbParams(keys, values, 1), PQfinish);
    if (PQstatus(connection.get()) != CONNECTION_OK) {
      std::string why = PQerrorMessage(connection.get());
      throw StoreUnavailable("postgres: " + why.substr(0, why.find('\n')));
    }
    // Notices ("already exists, skipping") are no news to a log.
    PQsetNoticeProcessor(
        connection.get(), [](void*, const char*) {}, nullptr);
    return std::make_shared<PostgresSession>(this, std::move(connection));
  }

  // The server went away: the other idle connections went with it.
  void forgetIdle() {
    std::lock_guard lock(mutex_);
    idle_.clear();
  }

  void giveBack(Connection connection) {
    std::lock_guard lock(mutex_);
    if (idle_.size() < 16) idle_.push_back(std::move(connection));
  }

 private:
  std::string url_;
  std::mutex mutex_;
  std::vector<Connection> idle_;
};

void PostgresSession::forgetIdle() {
  owner_->forgetIdle();
}

PostgresSession::~PostgresSession() {
  if (inTransaction_ && PQstatus(connection_.get()) == CONNECTION_OK) {
    PQclear(PQexec(connection_.get(), "ROLLBACK"));
  }
  if (PQstatus(connection_.get()) == CONNECTION_OK &&
      PQtransactionStatus(connection_.get()) == PQTRANS_IDLE) {
    owner_->giveBack(std::move(connection_));
  }
}

}  // namespace

std::unique_ptr<SqlDatabase> openPostgres(const std::string& url) {
  return std::make_unique<PostgresDatabase>(url);
}
