#include "hostoptions.h"

#include "shell/demodatabase.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <limits>

namespace {

template <class Int>
bool parseWhole(const QString& text, Int& value) {
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<Int>::min() || number > std::numeric_limits<Int>::max())
        return false;
    value = static_cast<Int>(number);
    return true;
}

std::optional<HostOptions> fail(int& exitCode, const QString& message) {
    std::fprintf(stderr, "zq5demo: %s\n", qPrintable(message));
    exitCode = 2;
    return std::nullopt;
}

}  // namespace

std::optional<HostOptions> parseHostOptions(const QCoreApplication& application, int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Opens the reimbursement register on a SQLite database, or on any database a connection string "
        "names (ODBC, SQL Server's OLE DB strings through FreeTDS). The demo database is created "
        "on first use. Without a display it saves a screenshot, prints the register's rows and exits."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption database(QStringLiteral("database"), QStringLiteral("SQLite database file."),
                                      QStringLiteral("path"), ZQ5Reimbursement::defaultDemoDatabasePath());
    const QCommandLineOption connection(
        QStringLiteral("connection"),
        QStringLiteral("Connection string instead of --database: \"Provider=SQLOLEDB;Data Source=host;...\", "
                       "\"Driver=SQLite3;Database=<file>\", \"DSN=...\"."),
        QStringLiteral("string"));
    const QCommandLineOption company(QStringLiteral("company"), QStringLiteral("Company ID."),
                                     QStringLiteral("id"), QStringLiteral("1"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("User ID."), QStringLiteral("id"),
                                  QStringLiteral("1"));
    const QCommandLineOption interfaceId(QStringLiteral("interface"), QStringLiteral("Interface ID of the module."),
                                       QStringLiteral("id"), QStringLiteral("101"));
    const QCommandLineOption title(QStringLiteral("title"), QStringLiteral("Message-box title."),
                                   QStringLiteral("text"), QStringLiteral("Payroll"));
    const QCommandLineOption processDate(QStringLiteral("process-date"),
                                         QStringLiteral("Processing date, yyyy-MM-dd (default today)."),
                                         QStringLiteral("date"));
    const QCommandLineOption screenshotDir(
        QStringLiteral("screenshot-dir"), QStringLiteral("Folder for the headless run's screenshot."),
        QStringLiteral("path"),
        QStandardPaths::writableLocation(QStandardPaths::TempLocation) + QStringLiteral("/zq5demo"));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("Claim ID whose voucher --pdf writes, without a window."),
                                    QStringLiteral("claim id"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("PDF file for the --report voucher."),
                                 QStringLiteral("file"));
    parser.addOptions({database, connection, company, user, interfaceId, title, processDate, screenshotDir, report, pdf});

    if (!parser.parse(application.arguments()))
        return fail(exitCode, parser.errorText());
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        exitCode = 0;
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(exitCode, QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));

    if (parser.isSet(database) && parser.isSet(connection))
        return fail(exitCode, QStringLiteral("--database and --connection exclude each other"));
    HostOptions options;
    options.database = QDir(parser.value(database)).absolutePath();
    options.connection = parser.value(connection);
    options.title = parser.value(title);
    options.screenshotDir = QDir(parser.value(screenshotDir)).absolutePath();
    if (!parseWhole(parser.value(company), options.companyId))
        return fail(exitCode, QStringLiteral("--company takes a whole number up to 32767"));
    if (!parseWhole(parser.value(user), options.userId))
        return fail(exitCode, QStringLiteral("--user takes a whole number up to 32767"));
    if (!parseWhole(parser.value(interfaceId), options.interfaceId))
        return fail(exitCode, QStringLiteral("--interface takes a 32-bit whole number"));
    options.processDate = parser.isSet(processDate)
                              ? QDate::fromString(parser.value(processDate), QStringLiteral("yyyy-MM-dd"))
                              : QDate::currentDate();
    if (!options.processDate.isValid())
        return fail(exitCode, QStringLiteral("--process-date takes a date as yyyy-MM-dd"));
    if (parser.isSet(report) != parser.isSet(pdf))
        return fail(exitCode, QStringLiteral("--report and --pdf go together"));
    std::int32_t claimId = 0;
    if (parser.isSet(report) && (!parseWhole(parser.value(report), claimId) || claimId <= 0))
        return fail(exitCode, QStringLiteral("--report takes a claim ID, a whole number above 0"));
    if (parser.isSet(report)) {
        options.reportClaimId = QString::number(claimId);
        options.pdfFile = QDir(parser.value(pdf)).absolutePath();
    }
    return options;
}
