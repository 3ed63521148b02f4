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
    const StatementHandle version = prepareStatement(db, versionQuery);
    if (sqlite3_step(version.get()) != SQLITE_ROW)
        raiseEngineError(db);
    if (isCurrent(sqlite3_column_int(version.get(), 0)))
        return;
    const StatementHandle rows = prepareStatement(db, columnsQuery);
    std::vector<Column> columns;
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(rows.get())) == SQLITE_ROW)
        columns.push_back({columnText(rows.get(), 0), columnText(rows.get(), 1), columnText(rows.get(), 2)});
    if (result != SQLITE_DONE)
        raiseEngineError(db);
    replace(sqlite3_column_int(version.get(), 0), columns);
}

void SqliteCatalog::replace(int schemaVersion, const std::vector<Column>& columns) {
    declaredTypes_.clear();
    columns_ = {};
    for (const Column& column : columns) {
        declaredTypes_[column.table].insert(column.column, column.declaredType);
        switch (parameterTypeFor(column.declaredType)) {
        case adDate: columns_.dates.insert(column.column); break;
        case adVarChar: columns_.texts.insert(column.column); break;
        default: columns_.numbers.insert(column.column); break;
        }
    }
    version_ = schemaVersion;
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
