// The declared types of every column of a SQLite database, read again only
// when PRAGMA schema_version says the schema changed.
#pragma once

#include "tsql/tsqltranslator.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QHash>

#include <vector>

#include <sqlite3.h>

namespace adodb {

// A declared type holding DATE or TIME.
bool isDateDeclaration(const QString& declaredType);
// INT: adInteger; DATE or TIME: adDate; REAL, DEC, NUM, MONEY, FLOAT, DOUBLE:
// adDouble; anything else adVarChar.
DataTypeEnum parameterTypeFor(const QString& declaredType);

class SqliteCatalog {
public:
    // For a file reached another way (through ODBC): the version to compare,
    // and the table, column and declared type of every column.
    static constexpr const char* versionQuery = "PRAGMA schema_version";
    static constexpr const char* columnsQuery =
        "SELECT lower(m.name), lower(c.name), c.type FROM sqlite_schema AS m "
        "JOIN pragma_table_info(m.name) AS c WHERE m.type IN ('table', 'view')";
    struct Column {
        QString table;
        QString column;
        QString declaredType;
    };

    void refresh(sqlite3* db);
    bool isCurrent(int schemaVersion) const { return schemaVersion == version_; }
    void replace(int schemaVersion, const std::vector<Column>& columns);

    const ColumnKinds& columns() const { return columns_; }
    // The type of `column` in `table`, or in any table having such a column.
    DataTypeEnum parameterType(const QString& table, const QString& column) const;

private:
    int version_ = -1;
    QHash<QString, QHash<QString, QString>> declaredTypes_;  // table → column → type, lower case
    ColumnKinds columns_;
};

}  // namespace adodb
