// How long the register takes to open on 10,000 to 1,000,000 claims, against
// the time SQLite alone needs for the listing, and what the open register
// holds in memory.
//
// (a) raw SQLite: the listing statement as the data layer translates it, run
//     with the sqlite3 C API to its last row, every column read as text;
//     best of three runs on a warm file.
// (b) the register: clsReimbursement::Show until the register runs its modal
//     loop, filled and its buttons set (offscreen); best of three openings,
//     after one warm-up opening on a small file, so that Qt's one-time start
//     (fonts, style) is not counted: a host has done that before it calls Show.
#include "benchdatabase.h"

#include "register/claimlistmodel.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "register/registerstatements.h"
#include "shell/context.h"
#include "shell/data/sqlite/sqlitecatalog.h"
#include "shell/data/tsql/tsqltranslator.h"

#include <ZQ5Reimbursement/clsReimbursement.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdio>
#include <stdexcept>

using namespace ZQ5Reimbursement;

namespace {

const QDate processDate(2004, 3, 15);

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double currentMegabytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The listing as the register builds it on a bench database (its settings
// keep 3650 days); the bench checks that the register ran this very text.
QString benchListing() {
    TableNames tables;
    for (const QString& logical : TableNames::logicalNames())
        tables.set(logical, logical);
    return listingStatement(tables, bench::companyId, 3650, processDate);
}

// (a): milliseconds for the best of three runs, and the rows seen.
std::pair<double, long> rawListing(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open the bench database");
    // Translated as the data layer translates it, with the file's own date columns.
    adodb::SqliteCatalog catalog;
    catalog.refresh(db);
    const QByteArray sql = adodb::translateTsql(benchListing(), catalog.dateColumns()).toUtf8();
    double best = 1e300;
    long rows = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer clock;
        clock.start();
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        rows = 0;
        std::size_t bytes = 0;
        const int columns = sqlite3_column_count(statement);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int col = 0; col < columns; ++col) {
                sqlite3_column_text(statement, col);
                bytes += std::size_t(sqlite3_column_bytes(statement, col));
            }
            ++rows;
        }
        sqlite3_finalize(statement);
        best = std::min(best, double(clock.nsecsElapsed()) / 1e6);
        if (bytes == 0 && rows > 0)
            throw std::runtime_error("no text read");
    }
    sqlite3_close(db);
    return {best, rows};
}

// The same listing through the data layer's forward-only recordset, every
// field read as text: the share of the register's time the data layer takes.
double recordsetListing(const QString& path) {
    auto connection = std::make_shared<adodb::Connection>();
    connection->Open(QStringLiteral("Provider=SQLite;Data Source=") + path);
    const QString listing = benchListing();
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer clock;
        clock.start();
        adodb::Recordset claims;
        claims.Open(listing, connection);
        std::size_t characters = 0;
        for (; !claims.isEOF(); claims.MoveNext())
            for (int col = 0; col < 6; ++col)
                characters += std::size_t(claims.Fields(col).text().size());
        best = std::min(best, double(clock.nsecsElapsed()) / 1e6);
        if (characters == 0)
            throw std::runtime_error("no text read");
    }
    return best;
}

struct RegisterFigures {
    double milliseconds = 0;
    int rows = 0;
    std::size_t modelBytes = 0;
    std::size_t textBytes = 0;
    QString listing;
};

// (b): Show until the register's modal loop runs.
RegisterFigures openRegister(const QString& path) {
    auto connection = std::make_shared<adodb::Connection>();
    connection->Open(QStringLiteral("Provider=SQLite;Data Source=") + path);
    auto reimbursement = createObject("ZQ5Reimbursement.clsReimbursement");
    reimbursement->setadocon(connection);
    reimbursement->setMsgboxTitle(QStringLiteral("Bench"));
    reimbursement->setIntinterfaceid(bench::interfaceId);
    reimbursement->setProcessDate(processDate);
    reimbursement->setintUserID(bench::userId);
    reimbursement->setintCompanyID(bench::companyId);

    RegisterFigures figures;
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        figures.milliseconds = double(clock.nsecsElapsed()) / 1e6;
        figures.listing = Context::instance().strListSQL;
        FrmMaster* master = Context::instance().frmMaster;
        if (!master)
            return;
        const ClaimListModel& model = *master->flexMaster->claimModel();
        figures.rows = model.rowCount();
        figures.modelBytes = model.memoryBytes();
        figures.textBytes = model.textBytes();
        master->CmdClose->click();
    });
    clock.start();
    reimbursement->Show();
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    QList<int> sizes{10000, 100000, 1000000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes << QByteArray(argv[i]).toInt();
    }
    QTemporaryDir folder;
    const QString warmUp = folder.filePath(QStringLiteral("warmup.db"));
    bench::buildDatabase(warmUp, 10);
    openRegister(warmUp);
    std::printf("%10s %12s %14s %14s %7s %12s %12s %7s %14s %14s\n", "claims", "sqlite ms", "recordset ms", "register ms", "ratio",
                "text MB", "model MB", "model/", "RSS growth MB", "peak RSS MB");
    for (const int claims : sizes) {
        const QString path = folder.filePath(QStringLiteral("bench%1.db").arg(claims));
        bench::buildDatabase(path, claims);
        const auto [sqliteMs, sqliteRows] = rawListing(path);
        const double recordsetMs = recordsetListing(path);
        const double before = currentMegabytes();
        RegisterFigures figures = openRegister(path);
        for (int run = 1; run < 3; ++run)
            figures.milliseconds = std::min(figures.milliseconds, openRegister(path).milliseconds);
        const double peak = peakMegabytes();
        if (figures.rows != sqliteRows)
            std::fprintf(stderr, "the register listed %d rows, SQLite %ld\n", figures.rows, sqliteRows);
        if (figures.listing != benchListing())
            std::fprintf(stderr, "the register ran another listing: %s\n", qPrintable(figures.listing));
        const double textMb = double(figures.textBytes) / (1024.0 * 1024.0);
        const double modelMb = double(figures.modelBytes) / (1024.0 * 1024.0);
        std::printf("%10d %12.1f %14.1f %14.1f %7.2f %12.1f %12.1f %7.2f %14.1f %14.1f\n", claims, sqliteMs,
                    recordsetMs, figures.milliseconds, figures.milliseconds / sqliteMs, textMb, modelMb, modelMb / textMb,
                    peak - before, peak);
        std::fflush(stdout);
    }
    return 0;
}
