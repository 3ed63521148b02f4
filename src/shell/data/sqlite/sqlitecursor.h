// Rows of a prepared SQLite statement, stepped as the cursor moves. Text in a
// column declared DATE or TIME reads as QDate or QDateTime.
#pragma once

#include "provider.h"
#include "sqlitestatement.h"

#include <QStringList>

#include <string_view>
#include <vector>

namespace adodb {

class SqliteCursor final : public Cursor {
public:
    // Steps to the first row.
    explicit SqliteCursor(StatementHandle handle);

    bool atEnd() const override { return !onRow_; }
    void next() override;
    int columnCount() const override { return int(names_.size()); }
    const QString& columnName(int column) const override { return names_.at(column); }
    QVariant value(int column) const override;
    std::optional<std::string_view> utf8Text(int column) const override;

private:
    // The engine's value of a field, with one call to the engine.
    sqlite3_value* field(int column) const;

    StatementHandle statement_;
    QStringList names_;
    std::vector<bool> dateColumns_;
    bool onRow_ = false;
};

}  // namespace adodb
