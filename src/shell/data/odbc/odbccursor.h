// Rows of an ODBC statement, fetched as the cursor moves, or read to the end
// into memory when another statement needs the connection.
#pragma once

#include "odbcsession.h"
#include "provider.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace adodb {

class OdbcCursor final : public Cursor {
public:
    // Reads the first row; no statement gives no rows. With `sqliteValues`
    // each value reads as the embedded provider reads it from the file: a
    // number by what is stored (2.5 in an INTEGER column stays 2.5), a
    // column declared DATE or TIME by the rules for its stored text.
    OdbcCursor(std::shared_ptr<OdbcSession> session, OdbcStatement statement, bool sqliteValues);
    ~OdbcCursor() override;

    bool atEnd() const override { return atEnd_; }
    void next() override;
    int columnCount() const override { return int(names_.size()); }
    const QString& columnName(int column) const override { return names_.at(column); }
    QVariant value(int column) const override { return row_[std::size_t(column)]; }

    // Reads the rows still to come into memory and lets the statement go.
    void readToEnd();

private:
    enum class Kind { Integer, Double, Decimal, Date, Timestamp, Text, StoredNumber, StoredDate, Binary };

    QString describe(SQLUSMALLINT column, SQLSMALLINT& type) const;
    bool fetch(std::vector<QVariant>& row);
    QVariant read(int column, Kind kind);
    QString readText(int column, bool& isNull);

    std::shared_ptr<OdbcSession> session_;
    OdbcStatement statement_;
    QStringList names_;
    std::vector<Kind> kinds_;
    std::vector<QVariant> row_;
    std::deque<std::vector<QVariant>> rest_;
    bool atEnd_ = false;
};

}  // namespace adodb
