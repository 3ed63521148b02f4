#include "errors.h"
#include "provider.h"

#include <utility>

namespace adodb {

namespace {

[[noreturn]] void raiseNoTransaction(const Connection& connection) {
    if (connection.State() == adStateClosed)
        raiseInvalidConnection();
    raise(adErrNoTransaction, QStringLiteral("No transaction is active."));
}

}  // namespace

Connection::Connection() = default;

Connection::~Connection() {
    if (!provider_)
        return;
    try {
        Close();
    } catch (...) {
        // Closing the engine's connection rolls back whatever is left.
    }
}

void Connection::Open(const std::string& connectionString) { Open(QString::fromStdString(connectionString)); }

void Connection::Open(const char* connectionString) { Open(QString::fromUtf8(connectionString)); }

void Connection::Open(const QString& connectionString) {
    if (provider_)
        raiseObjectOpen();
    provider_ = adodb::openProvider(connectionString);
    connectionString_ = connectionString;
}

void Connection::Close() {
    if (!provider_)
        raiseObjectClosed();
    const std::unique_ptr<Provider> provider = std::move(provider_);
    if (std::exchange(inTransaction_, false))
        provider->rollback();
}

long Connection::State() const { return provider_ ? adStateOpen : adStateClosed; }

void Connection::Execute(const QString& sql) { providerFor(sql).execute(sql); }

void Connection::Execute(const std::string& sql) { Execute(QString::fromStdString(sql)); }

void Connection::Execute(const char* sql) { Execute(QString::fromUtf8(sql)); }

void Connection::BeginTrans() {
    providerFor(QStringLiteral("BEGIN TRANSACTION")).begin();
    inTransaction_ = true;
}

void Connection::CommitTrans() {
    if (!inTransaction_)
        raiseNoTransaction(*this);
    providerFor(QStringLiteral("COMMIT TRANSACTION")).commit();
    inTransaction_ = false;
}

void Connection::RollbackTrans() {
    if (!inTransaction_)
        raiseNoTransaction(*this);
    providerFor(QStringLiteral("ROLLBACK TRANSACTION")).rollback();
    inTransaction_ = false;
}

void Connection::setStatementObserver(StatementObserver observer) { observer_ = std::move(observer); }

Provider& Connection::providerFor(const QString& sql) {
    Provider& provider = openProvider();
    notify(sql);
    return provider;
}

Provider& Connection::openProvider() {
    if (!provider_)
        raiseInvalidConnection();
    return *provider_;
}

void Connection::notify(const QString& sql) {
    if (observer_)
        observer_(sql);
}

Transaction::Transaction(Connection& connection) : connection_(connection) { connection_.BeginTrans(); }

Transaction::~Transaction() {
    if (!open_)
        return;
    try {
        connection_.RollbackTrans();
    } catch (...) {
        // A destructor must not throw; the engine drops the transaction when the connection closes.
    }
}

void Transaction::commit() {
    connection_.CommitTrans();
    open_ = false;
}

void Transaction::rollback() {
    connection_.RollbackTrans();
    open_ = false;
}

}  // namespace adodb
