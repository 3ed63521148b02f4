// What a database engine must offer the data layer. The SQLite provider is
// the embedded default; an ODBC provider for SQL Server plugs in here too.
#pragma once

#include <ZQ5Reimbursement/adodb.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace adodb {

// Rows of one statement, positioned on the current row.
class Cursor {
public:
    virtual ~Cursor() = default;
    virtual bool atEnd() const = 0;
    virtual void next() = 0;
    virtual int columnCount() const = 0;
    virtual const QString& columnName(int column) const = 0;
    virtual QVariant value(int column) const = 0;
    // The value's text as valueText writes it, in UTF-8, or nullopt for NULL;
    // valid until the cursor moves. An engine may give it without a QVariant.
    virtual std::optional<std::string_view> utf8Text(int column) const;
    // utf8Text of the first texts.size() columns; false, with the texts only
    // partly set, when one of them is NULL.
    bool utf8Texts(std::span<std::string_view> texts) const;

protected:
    // Room for a column's text that the cursor writes itself.
    std::string& textBuffer(int column) const;

private:
    mutable std::vector<std::string> textBuffers_;
};

class Provider {
public:
    virtual ~Provider() = default;

    virtual void execute(const QString& sql) = 0;
    // `buffered` reads every row at once (keyset and static cursors);
    // otherwise rows are read as the cursor moves.
    virtual std::unique_ptr<Cursor> query(const QString& sql, bool buffered) = 0;
    virtual std::vector<Parameter> describeParameters(const QString& sql) = 0;
    virtual void execute(const QString& sql, const QVariantList& values,
                         const std::vector<Parameter>& parameters) = 0;

    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
};

// Parses an ADO-style connection string and opens the provider it names.
std::unique_ptr<Provider> openProvider(const QString& connectionString);

}  // namespace adodb
