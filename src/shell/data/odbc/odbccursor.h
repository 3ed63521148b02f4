// Rows of an ODBC statement, fetched as the cursor moves, or read to the end
// into memory when another statement needs the connection.
#pragma once

#include "odbcsession.h"
#include "provider.h"

#include <QStringList>

#include <deque>
#include <string>
#include <vector>

namespace adodb {

class OdbcCursor final : public Cursor {
public:
    // Reads the first row; no statement gives no rows. With `sqliteValues`
    // each value reads as the embedded provider reads it from the file: text
    // in UTF-8 as the driver has it, a number by what is stored (2.5 in an
    // INTEGER column stays 2.5), a column declared DATE or TIME by the rules
    // for its stored text.
    OdbcCursor(std::shared_ptr<OdbcSession> session, OdbcStatement statement, bool sqliteValues);
    ~OdbcCursor() override;

    bool atEnd() const override { return atEnd_; }
    void next() override;
    int columnCount() const override { return int(names_.size()); }
    const QString& columnName(int column) const override { return names_.at(column); }
    QVariant value(int column) const override;
    std::optional<std::string_view> utf8Text(int column) const override;

    // Reads the rows still to come into memory and lets the statement go.
    void readToEnd();

private:
    enum class Kind { Integer, Double, Decimal, Date, Timestamp, Text, Binary, StoredText, StoredNumber, StoredDate };
    struct Cell {
        bool isNull = true;
        QVariant value;    // for the kinds the driver converts
        std::string text;  // UTF-8, for the stored kinds
    };
    using Row = std::vector<Cell>;

    QString describe(SQLUSMALLINT column, SQLSMALLINT& type) const;
    bool fetch(Row& row);
    void read(int column, Kind kind, Cell& cell);
    QString readWideText(int column, bool& isNull);
    bool readUtf8(int column, std::string& text);

    std::shared_ptr<OdbcSession> session_;
    OdbcStatement statement_;
    QStringList names_;
    std::vector<Kind> kinds_;
    Row row_;
    std::deque<Row> rest_;
    bool atEnd_ = false;
};

}  // namespace adodb
