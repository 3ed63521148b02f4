// The embedded provider: a SQLite database file that runs the module's T-SQL
// statement texts after translateTsql adapts them. Connection string keys:
// Data Source (the file), Create (True makes a missing file; for set-up tools
// and tests), Busy Timeout (milliseconds to wait for another writer, 5000).
#pragma once

#include "connectionstring.h"
#include "provider.h"
#include "sqlitecatalog.h"

#include <sqlite3.h>

namespace adodb {

class SqliteProvider final : public Provider {
public:
    static std::unique_ptr<Provider> open(const ConnectionString& settings);
    ~SqliteProvider() override;

    void execute(const QString& sql) override;
    std::unique_ptr<Cursor> query(const QString& sql, bool buffered) override;
    std::vector<Parameter> describeParameters(const QString& sql) override;
    void execute(const QString& sql, const QVariantList& values, const std::vector<Parameter>& parameters) override;

    void begin() override;
    void commit() override;
    void rollback() override;

private:
    explicit SqliteProvider(sqlite3* db) : db_(db) {}
    QByteArray translate(const QString& sql);
    void run(const QByteArray& sql);

    sqlite3* db_;
    SqliteCatalog catalog_;
};

}  // namespace adodb
