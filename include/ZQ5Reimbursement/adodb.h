// The data layer: an ADO-like connection, recordset and command over a
// pluggable provider. The embedded default is SQLite ("Provider=SQLite;
// Data Source=<path>"), which runs the module's T-SQL statement texts with
// SQL Server's results; ODBC strings ("DSN=...", "Driver=...;...",
// "Provider=MSDASQL;...") and the SQL Server OLE DB strings open the ODBC
// provider. Every failure is raised as adodb::Error.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace adodb {

enum CursorTypeEnum {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockTypeEnum {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

enum ObjectStateEnum {
    adStateClosed = 0,
    adStateOpen = 1,
};

// The parameter types a provider reports for the columns that `?` markers
// are bound to.
enum DataTypeEnum {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adDouble = 5,
    adDate = 7,
    adBigInt = 20,
    adNumeric = 131,
    adDBTimeStamp = 135,
    adVarChar = 200,
};

// Error numbers raised by the data layer itself (the provider's own errors
// carry the engine's result code).
enum ErrorNumber : long {
    adErrProviderNotFound = 3706,
    adErrObjectClosed = 3704,
    adErrInvalidConnection = 3709,
    adErrInvalidArgument = 3001,
    adErrNoCurrentRecord = 3021,
    adErrItemNotFound = 3265,
    adErrInvalidUseOfNull = 94,
};

// A failure with the number, source and description that the error log
// writes. An ODBC driver's error also carries its SQLSTATE; its number is the
// engine's own (1205 for a deadlock on SQL Server).
class Error : public std::runtime_error {
public:
    Error(long number, QString source, QString description, QString sqlState = {});
    long Number() const noexcept { return number_; }
    const QString& Source() const noexcept { return source_; }
    const QString& Description() const noexcept { return description_; }
    const QString& SQLState() const noexcept { return sqlState_; }

private:
    long number_;
    QString source_;
    QString description_;
    QString sqlState_;
};

class Provider;
class Cursor;

// The connection. Statement texts are T-SQL as the module builds them; the
// provider adapts them to its engine. A statement observer sees every text
// before the provider does; if it throws, the statement fails (tests use this
// to inject faults).
class Connection {
public:
    using StatementObserver = std::function<void(const QString& sql)>;

    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Open(const std::string& connectionString);
    void Open(const QString& connectionString);
    void Open(const char* connectionString);
    void Close();
    long State() const;
    const QString& ConnectionString() const { return connectionString_; }

    // Runs one statement, or several separated by semicolons.
    void Execute(const QString& sql);
    void Execute(const std::string& sql);
    void Execute(const char* sql);

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return inTransaction_; }

    void setStatementObserver(StatementObserver observer);

    // For Recordset and Command: the open provider, after the observer has
    // seen `sql`. Raises when the connection is closed.
    Provider& providerFor(const QString& sql);

private:
    // Command describes its markers without running them, unseen by the observer.
    friend class Command;

    Provider& openProvider();
    void notify(const QString& sql);

    std::unique_ptr<Provider> provider_;
    QString connectionString_;
    StatementObserver observer_;
    bool inTransaction_ = false;
};

// Begins a transaction on construction and rolls it back on destruction
// unless commit() was called.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();

private:
    Connection& connection_;
    bool open_ = true;
};

class Field {
public:
    Field(QString name, QVariant value) : name_(std::move(name)), value_(std::move(value)) {}

    const QString& Name() const { return name_; }
    // NULL is an invalid QVariant. Integers are qlonglong, amounts double,
    // dates QDate (QDateTime when a time part is stored), text QString.
    const QVariant& Value() const { return value_; }
    bool IsNull() const { return !value_.isValid() || value_.isNull(); }
    // The value as text; raises "Invalid use of Null" for NULL.
    QString text() const;
    // The value as text, NULL giving the empty text.
    QString textOrEmpty() const;

private:
    QString name_;
    QVariant value_;
};

// A recordset opened on SQL text. A forward-only recordset streams its rows;
// keyset and static ones read all rows when opened.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void Open(const QString& sql, const std::shared_ptr<Connection>& connection,
              CursorTypeEnum cursorType = adOpenForwardOnly,
              LockTypeEnum lockType = adLockReadOnly);
    void Close();
    long State() const;

    bool isEOF() const;
    void MoveNext();
    int FieldCount() const;
    Field Fields(int index) const;
    Field Fields(const QString& name) const;
    // Fields(index).text() in UTF-8, without building a Field: for reading
    // many rows quickly. The bytes stay valid until the recordset moves or closes.
    std::string_view fieldTextUtf8(int index) const;
    // The same for the first texts.size() fields at once: the quick way to
    // read a row. Raises as fieldTextUtf8 does.
    void fieldTextsUtf8(std::span<std::string_view> texts) const;

private:
    void requireRecord() const;
    void requireField(int index) const;

    std::unique_ptr<Cursor> cursor_;
};

struct Parameter {
    QString column;  // the column the marker is bound to, empty if unknown
    DataTypeEnum type = adVarChar;
};

// A text command with positional `?` parameters.
class Command {
public:
    void setActiveConnection(std::shared_ptr<Connection> connection);
    void setCommandText(const QString& sql);
    const QString& CommandText() const { return sql_; }

    // Asks the provider for the type of the column each marker is bound to.
    void RefreshParameters();
    const std::vector<Parameter>& Parameters() const { return parameters_; }

    // Runs the command with the marker values in order; each value is
    // converted to its parameter's type (a "dd/mm/yyyy" text bound to a date
    // column is that calendar date, day first).
    void Execute(const QVariantList& values);

private:
    std::shared_ptr<Connection> connection_;
    QString sql_;
    std::vector<Parameter> parameters_;
};

}  // namespace adodb
