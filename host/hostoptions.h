// The demo host's command line.
#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

class QCoreApplication;

struct HostOptions {
    QString database;    // file path of the SQLite database
    QString connection;  // or the host's own connection string, used as it is
    std::int16_t companyId = 1;
    std::int16_t userId = 1;
    std::int32_t interfaceId = 101;
    QString title;
    QDate processDate;
    QString screenshotDir;
    QString reportClaimId;  // with pdfFile: write that claim's voucher, no window
    QString pdfFile;
};

// Parses the command line; prints help or the error and returns nothing
// when the program should stop (with `exitCode`).
std::optional<HostOptions> parseHostOptions(const QCoreApplication& application, int& exitCode);
