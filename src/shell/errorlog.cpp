#include "basreimbursement.h"

#include "commonmodule.h"
#include "context.h"
#include "errors.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <dlfcn.h>

namespace ZQ5Reimbursement {

namespace {

// The component's identity: the log file's name and each line's second field.
const QString applicationName = QStringLiteral("ZQ5Reimbursement");
constexpr long internalError = 51;

// Names found before, by connection and user: a log line for a database that
// is busy takes the name from here rather than wait for it once more.
QHash<QString, QString>& knownUserNames() {
    static QHash<QString, QString> names;
    return names;
}

// The user's name for the log line. The error being logged is often the
// database being unreachable; that must not cost the error its entry and its
// message, so a failed lookup leaves the name empty.
QString userName(std::int16_t userId, bool databaseBusy) {
    Context& context = Context::instance();
    const QString key = context.gAdoCon()->ConnectionString() + QLatin1Char('|') + QString::number(userId);
    if (databaseBusy)
        return knownUserNames().value(key);
    auto users = createObject<CommonModule::clsCommonDB>("CommonModule.clsCommonDB");
    users->setadocon(context.gAdoCon());
    users->setstrTablename(context.tables[QStringLiteral("pusers")] + QStringLiteral(" where userid=")
                           + QString::number(userId));
    try {
        const QString name = users->fnReturnField(QStringLiteral("username"));
        knownUserNames().insert(key, name);
        return name;
    } catch (const adodb::Error&) {
        return {};
    }
}

// What failed, in the words of the procedure's purpose.
QString failedAction(const QString& procedureName) {
    static const QHash<QString, QString> actions{
        {QStringLiteral("Form_Load "), QStringLiteral("The register could not be opened")},
        {QStringLiteral("cmdOk_Click "), QStringLiteral("The claim could not be saved")},
        {QStringLiteral("Cmdok_Click "), QStringLiteral("The claim could not be cancelled")},
        {QStringLiteral("CmdDelete_Click "), QStringLiteral("The claim could not be cancelled")},
        {QStringLiteral("GenerateReimbursement"), QStringLiteral("No claim number could be made")},
        {QStringLiteral("CmdEdit_Click "), QStringLiteral("The claim could not be opened")},
        {QStringLiteral("cmdnew_Click "), QStringLiteral("A new claim could not be started")},
        {QStringLiteral("RefreshRegisterRow"), QStringLiteral("The claim was saved, but the register could not show it")},
        {QStringLiteral("cmdPrint_Click "), QStringLiteral("The report could not be shown")},
    };
    return actions.value(procedureName, QStringLiteral("The command could not be completed"));
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
    const adodb::Error error(number, source, description);
    const QString user = userName(userId, adodb::failureKind(error) == adodb::FailureKind::Busy);
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
        showMessage(nullptr, clerkMessage(procedureName, error), QMessageBox::Warning);
}

void showFailure(QWidget* parent, const QString& formName, const QString& procedureName, const adodb::Error& error) {
    if (adodb::failureKind(error) != adodb::FailureKind::Program)
        WriteErrorLog(formName, procedureName, error, false);
    showMessage(parent, clerkMessage(procedureName, error), QMessageBox::Information);
}

QString clerkMessage(const QString& procedureName, const adodb::Error& error) {
    switch (adodb::failureKind(error)) {
    case adodb::FailureKind::Program:
        return error.Description();
    case adodb::FailureKind::Busy:
        return failedAction(procedureName) +
               QStringLiteral(": another workstation is using the database. Wait a moment and try again.");
    case adodb::FailureKind::Unwritable:
        return failedAction(procedureName) +
               QStringLiteral(": the database file cannot be written; it may be read-only, moved or deleted. "
                              "Ask your administrator to check it.");
    case adodb::FailureKind::Layout:
        return failedAction(procedureName) +
               QStringLiteral(": the database lacks a table or column this module needs. "
                              "Ask your administrator to check the database.");
    case adodb::FailureKind::Engine:
        break;
    }
    return failedAction(procedureName) +
           QStringLiteral(": the database reported an error. Try again; if it keeps failing, ask your administrator.");
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
