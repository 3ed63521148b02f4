#include "benchdatabase.h"

#include <QDate>
#include <QFile>

#include <sqlite3.h>

#include <stdexcept>

namespace bench {

namespace {

void check(sqlite3* db, int result) {
    if (result != SQLITE_OK && result != SQLITE_DONE && result != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

void exec(sqlite3* db, const QByteArray& sql) { check(db, sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr)); }

}  // namespace

void buildDatabase(const QString& path, int claims) {
    QFile::remove(path);
    QFile schema(QStringLiteral(ZQ5_SCHEMA_SQL));
    if (!schema.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " ZQ5_SCHEMA_SQL);
    sqlite3* db = nullptr;
    check(db, sqlite3_open(path.toUtf8().constData(), &db));
    exec(db, schema.readAll());
    exec(db, "BEGIN");
    exec(db, "INSERT INTO pusers VALUES (5, 'Bench User');"
             "INSERT INTO puserrights VALUES (1, 5, 42, 'NEDP');"
             "INSERT INTO pSettings VALUES (1, 3650, '');"
             "INSERT INTO ptables VALUES (1, 'pReimburseHeader');"
             "INSERT INTO ptablecolumns VALUES (1, 1, 'ID', 0), (1, 2, 'Claim No', 6), (1, 3, 'Type', 8),"
             " (1, 4, 'Claim Date', 6), (1, 5, 'Employee', 12), (1, 6, 'Cancelled', 2);");
    constexpr int employees = 500;
    constexpr int types = 12;
    for (int e = 1; e <= employees; ++e)
        exec(db, QStringLiteral("INSERT INTO pemployee (eempid, ecompanyid, ename) VALUES (%1, 1, 'Employee %2 Surname')")
                     .arg(e)
                     .arg(e, 3, 10, QLatin1Char('0'))
                     .toUtf8());
    for (int t = 1; t <= types; ++t)
        exec(db, QStringLiteral("INSERT INTO preimbursementmaster VALUES (%1, 'Type %1', 1)").arg(t).toUtf8());

    sqlite3_stmt* insert = nullptr;
    check(db, sqlite3_prepare_v2(db,
                                 "INSERT INTO pReimburseHeader (rhreimburseid, rhcompanyid, rhreimburseno, rhdate,"
                                 " rhClaimEmpID, rhApprovedEmpID, rhTotalAmt, rhCancelled, rhcurrencyid, rhrtypeid)"
                                 " VALUES (?, 1, ?, ?, ?, 1, 100.5, ?, 1, ?)",
                                 -1, &insert, nullptr));
    const QDate first(2000, 3, 16);
    for (int claim = 1; claim <= claims; ++claim) {
        const QByteArray number = "RB/" + QByteArray::number(claim);
        const QByteArray date = first.addDays(claim % 1460).toString(Qt::ISODate).toLatin1();
        sqlite3_bind_int(insert, 1, claim);
        sqlite3_bind_text(insert, 2, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 4, 1 + claim % employees);
        sqlite3_bind_int(insert, 5, claim % 10 == 0 ? 1 : 0);
        sqlite3_bind_int(insert, 6, 1 + claim % types);
        check(db, sqlite3_step(insert));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

}  // namespace bench
