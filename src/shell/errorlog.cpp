#include "basreimbursement.h"

#include "commonmodule.h"
#include "context.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <dlfcn.h>

namespace ZQ5Reimbursement {

namespace {

// The component's identity: the log file's name and each line's second field.
const QString applicationName = QStringLiteral("ZQ5Reimbursement");
constexpr long internalError = 51;

// The user's name for the log line. The error being logged is often the
// database being unreachable; that must not cost the error its entry and its
// message, so a failed lookup leaves the name empty.
QString userName(std::int16_t userId) {
    auto users = createObject<CommonModule::clsCommonDB>("CommonModule.clsCommonDB");
    Context& context = Context::instance();
    users->setadocon(context.gAdoCon());
    users->setstrTablename(context.tables[QStringLiteral("pusers")] + QStringLiteral(" where userid=")
                           + QString::number(userId));
    try {
        return users->fnReturnField(QStringLiteral("username"));
    } catch (const adodb::Error&) {
        return {};
    }
}

// Callers log from inside their own error handling, usually from an event
// handler: a log that cannot be written must not turn the error being
// reported into a crash, so the failure is only noted and the message still shown.
void appendLine(const QString& path, const QString& line) {
    QFile file(path);
    if (file.exists())
        file.setPermissions(file.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    const QByteArray bytes = (line + QStringLiteral("\r\n")).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(bytes) != bytes.size())
        qWarning("Cannot write the error log %s: %s", qUtf8Printable(path), qUtf8Printable(file.errorString()));
}

}  // namespace

QString componentFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&componentFolder), &info) != 0 && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

void WriteErrorLog(const QString& formName, std::int16_t userId, const QString& procedureName,
                   const QString& mode, long number, const QString& source, const QString& description,
                   bool show) {
    const QString user = userName(userId);
    const QStringList fields{
        formName,
        applicationName,
        QString::number(number),
        source,
        description,
        QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")),
        user,
        procedureName,
        mode,
    };
    appendLine(componentFolder() + QLatin1Char('/') + applicationName + QStringLiteral("Error.log"),
               fields.join(QLatin1Char(':')));
    if (show && number != 0)
        showMessage(nullptr, description, QMessageBox::Warning);
}

void WriteErrorLog(const QString& formName, const QString& procedureName, const adodb::Error& error, bool show) {
    const Context& context = Context::instance();
    WriteErrorLog(formName, context.gintUserID, procedureName, context.strMode, error.Number(), error.Source(),
                  error.Description(), show);
}

adodb::Error toError(const std::exception& exception) {
    if (auto* error = dynamic_cast<const adodb::Error*>(&exception))
        return *error;
    return adodb::Error(internalError, applicationName, QString::fromLocal8Bit(exception.what()));
}

}  // namespace ZQ5Reimbursement
