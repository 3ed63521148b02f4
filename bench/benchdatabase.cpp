#include "benchdatabase.h"

#include <QDate>
#include <QDir>
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

sqlite3_stmt* prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    check(db, sqlite3_prepare_v2(db, sql, -1, &statement, nullptr));
    return statement;
}

void step(sqlite3* db, sqlite3_stmt* statement) {
    check(db, sqlite3_step(statement));
    sqlite3_reset(statement);
}

void insertCompany(sqlite3* db, const DatabaseShape& shape) {
    exec(db, "INSERT INTO pusers VALUES (5, 'Bench User');"
             "INSERT INTO puserrights VALUES (1, 5, 42, 'NEDP');"
             "INSERT INTO pSettings VALUES (1, 3650, '1');"
             "INSERT INTO pPrefix VALUES ('RB', 42, 1);"
             "INSERT INTO pcurrencymaster VALUES (1, 1, 'Rupee', 'Rs');"
             "INSERT INTO ptables VALUES (1, 'pReimburseHeader');"
             "INSERT INTO ptablecolumns VALUES (1, 1, 'ID', 2), (1, 2, 'Claim No', 6), (1, 3, 'Type', 8),"
             " (1, 4, 'Claim Date', 6), (1, 5, 'Employee', 12), (1, 6, 'Cancelled', 2);");
    sqlite3_stmt* employee =
        prepare(db, "INSERT INTO pemployee (eempid, ecompanyid, ename, eDesigId) VALUES (?, 1, ?, 1)");
    sqlite3_stmt* limit = prepare(db, "INSERT INTO preimeligibilitydetail VALUES (1, ?, ?, 1000000000)");
    for (int e = 1; e <= shape.employees; ++e) {
        const QByteArray name = QStringLiteral("Employee %1 Surname").arg(e, 3, 10, QLatin1Char('0')).toUtf8();
        sqlite3_bind_int(employee, 1, e);
        sqlite3_bind_text(employee, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        step(db, employee);
        for (int t = 1; t <= shape.types; ++t) {
            sqlite3_bind_int(limit, 1, t);
            sqlite3_bind_int(limit, 2, e);
            step(db, limit);
        }
    }
    sqlite3_finalize(employee);
    sqlite3_finalize(limit);
    for (int t = 1; t <= shape.types; ++t)
        exec(db, QStringLiteral("INSERT INTO preimbursementmaster VALUES (%1, 'Type %1', 1);"
                                "INSERT INTO preimeligibilityheader VALUES (%1, 1, %1, 1, '2000-01-01', '2004-12-31', 0)")
                     .arg(t)
                     .toUtf8());
}

void insertClaims(sqlite3* db, const DatabaseShape& shape) {
    sqlite3_stmt* header = prepare(db,
                                   "INSERT INTO pReimburseHeader (rhreimburseid, rhcompanyid, rhreimburseno, rhdate,"
                                   " rhClaimEmpID, rhApprovedEmpID, rhTotalAmt, rhCancelled, rhcurrencyid, rhrtypeid)"
                                   " VALUES (?, 1, ?, ?, ?, 1, ?, ?, 1, ?)");
    sqlite3_stmt* line = prepare(db, "INSERT INTO pReimbursedetail VALUES (1, ?, ?, ?, 100.5, 'bench')");
    const QDate first(2000, 3, 16);
    for (int claim = 1; claim <= shape.claims; ++claim) {
        const QByteArray number = "RB" + QByteArray::number(claim);
        const QByteArray date = first.addDays(claim % 1460).toString(Qt::ISODate).toLatin1();
        sqlite3_bind_int(header, 1, claim);
        sqlite3_bind_text(header, 2, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(header, 3, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(header, 4, 1 + claim % shape.employees);
        sqlite3_bind_double(header, 5, 100.5 * shape.linesPerClaim);
        sqlite3_bind_int(header, 6, claim % 10 == 0 ? 1 : 0);
        sqlite3_bind_int(header, 7, 1 + claim % shape.types);
        step(db, header);
        for (int l = 1; l <= shape.linesPerClaim; ++l) {
            const QByteArray bill = "B" + QByteArray::number(l);
            sqlite3_bind_int(line, 1, claim);
            sqlite3_bind_int(line, 2, l);
            sqlite3_bind_text(line, 3, bill.constData(), int(bill.size()), SQLITE_TRANSIENT);
            step(db, line);
        }
    }
    sqlite3_finalize(header);
    sqlite3_finalize(line);
}

}  // namespace

void buildDatabase(const QString& path, const DatabaseShape& shape) {
    QFile::remove(path);
    QFile schema(QStringLiteral(ZQ5_SCHEMA_SQL));
    if (!schema.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " ZQ5_SCHEMA_SQL);
    sqlite3* db = nullptr;
    check(db, sqlite3_open(path.toUtf8().constData(), &db));
    exec(db, schema.readAll());
    exec(db, "BEGIN");
    insertCompany(db, shape);
    insertClaims(db, shape);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

const QString& Databases::file(const QString& name, const DatabaseShape& shape) {
    auto known = built_.constFind(name);
    if (known != built_.cend())
        return *known;
    const QString path = QDir(folder_).filePath(name + QStringLiteral(".db"));
    buildDatabase(path, shape);
    return *built_.insert(name, path);
}

const QString& Databases::registerFile(int claims) {
    return file(QStringLiteral("register%1").arg(claims), {claims});
}

const QString& Databases::eligibilityFile() {
    return file(QStringLiteral("eligibility"), {100000, 1, 1, 1});
}

QString Databases::copyOf(const QString& path, const QString& name) {
    const QString copy = QDir(folder_).filePath(name + QStringLiteral(".db"));
    QFile::remove(copy);
    if (!QFile::copy(path, copy))
        throw std::runtime_error("cannot copy a bench database");
    return copy;
}

}  // namespace bench
