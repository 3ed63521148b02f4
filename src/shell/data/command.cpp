#include "errors.h"
#include "provider.h"

namespace adodb {

namespace {

Connection& activeConnection(const std::shared_ptr<Connection>& connection) {
    if (!connection)
        raiseInvalidConnection();
    return *connection;
}

}  // namespace

void Command::setActiveConnection(std::shared_ptr<Connection> connection) {
    connection_ = std::move(connection);
    parameters_.clear();
}

void Command::setCommandText(const QString& sql) {
    sql_ = sql;
    parameters_.clear();
}

void Command::RefreshParameters() {
    // Describing the markers runs nothing, so the statement observer is not told.
    parameters_ = activeConnection(connection_).openProvider().describeParameters(sql_);
}

void Command::Execute(const QVariantList& values) {
    // A text without markers is simply described again: cheap, and always right.
    if (parameters_.empty())
        RefreshParameters();
    if (values.size() != qsizetype(parameters_.size()))
        raise(adErrInvalidArgument, QStringLiteral("The command has %1 parameter markers but %2 values were passed.")
                                        .arg(parameters_.size())
                                        .arg(values.size()));
    activeConnection(connection_).providerFor(sql_).execute(sql_, values, parameters_);
}

}  // namespace adodb
