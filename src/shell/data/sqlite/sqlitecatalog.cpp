#include "sqlitecatalog.h"

#include "sqlitestatement.h"

namespace adodb {

namespace {

QString columnText(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

}  // namespace

bool isDateDeclaration(const QString& declaredType) {
    return declaredType.contains(QLatin1String("DATE"), Qt::CaseInsensitive) ||
           declaredType.contains(QLatin1String("TIME"), Qt::CaseInsensitive);
}

DataTypeEnum parameterTypeFor(const QString& declaredType) {
    const QString type = declaredType.toUpper();
    if (type.contains(QLatin1String("INT")))
        return adInteger;
    if (isDateDeclaration(type))
        return adDate;
    for (const char* numeric : {"REAL", "DEC", "NUM", "MONEY", "FLOAT", "DOUBLE"})
        if (type.contains(QLatin1String(numeric)))
            return adDouble;
    return adVarChar;
}

void SqliteCatalog::refresh(sqlite3* db) {
    const StatementHandle version = prepareStatement(db, "PRAGMA schema_version");
    if (sqlite3_step(version.get()) != SQLITE_ROW)
        raiseEngineError(db);
    if (sqlite3_column_int(version.get(), 0) == version_)
        return;
    const StatementHandle columns =
        prepareStatement(db, "SELECT lower(m.name), lower(c.name), c.type FROM sqlite_schema AS m "
                             "JOIN pragma_table_info(m.name) AS c WHERE m.type IN ('table', 'view')");
    declaredTypes_.clear();
    columns_ = {};
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(columns.get())) == SQLITE_ROW) {
        const QString column = columnText(columns.get(), 1);
        const QString type = columnText(columns.get(), 2);
        declaredTypes_[columnText(columns.get(), 0)].insert(column, type);
        switch (parameterTypeFor(type)) {
        case adDate: columns_.dates.insert(column); break;
        case adVarChar: columns_.texts.insert(column); break;
        default: columns_.numbers.insert(column); break;
        }
    }
    if (result != SQLITE_DONE)
        raiseEngineError(db);
    version_ = sqlite3_column_int(version.get(), 0);
}

DataTypeEnum SqliteCatalog::parameterType(const QString& table, const QString& column) const {
    const QString name = column.toLower();
    const auto inTable = declaredTypes_.constFind(table.toLower());
    if (inTable != declaredTypes_.cend() && inTable->contains(name))
        return parameterTypeFor(inTable->value(name));
    for (const QHash<QString, QString>& columns : declaredTypes_)
        if (columns.contains(name))
            return parameterTypeFor(columns.value(name));
    return adVarChar;
}

}  // namespace adodb
