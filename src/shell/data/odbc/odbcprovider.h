// The ODBC provider (unixODBC): SQL Server through FreeTDS, or any engine an
// ODBC driver reaches. The engine the driver reports decides the dialect;
// a SQLite file (the SQLite3 driver) runs as through the embedded provider.
#pragma once

#include "odbcdialect.h"
#include "odbcsession.h"
#include "provider.h"
#include "sqlite/sqlitecatalog.h"

#include <QHash>

namespace adodb {

class OdbcProvider final : public Provider {
public:
    static std::unique_ptr<Provider> open(const QString& odbcConnectionString);
    ~OdbcProvider() override;

    void execute(const QString& sql) override;
    std::unique_ptr<Cursor> query(const QString& sql, bool buffered) override;
    std::vector<Parameter> describeParameters(const QString& sql) override;
    void execute(const QString& sql, const QVariantList& values, const std::vector<Parameter>& parameters) override;

    void begin() override;
    void commit() override;
    void rollback() override;

private:
    OdbcProvider(std::shared_ptr<OdbcSession> session, OdbcDialect dialect);

    // The statement texts to run for `sql`: itself, or for SQLite each of its
    // statements translated.
    std::vector<QString> adapt(const QString& sql);
    void refreshCatalog();
    DataTypeEnum describedType(SQLHSTMT prepared, int marker);
    DataTypeEnum catalogType(const QString& table, const QString& column);
    void setAutocommit(bool on);
    void endTransaction(SQLSMALLINT completion);

    std::shared_ptr<OdbcSession> session_;
    OdbcDialect dialect_;
    SqliteCatalog sqliteCatalog_;
    // table → column → type, lower case, as SQLColumns reported them
    QHash<QString, QHash<QString, DataTypeEnum>> columnTypes_;
    bool inTransaction_ = false;
};

}  // namespace adodb
