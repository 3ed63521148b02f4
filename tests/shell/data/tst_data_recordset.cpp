// Values out and in: recordsets' field values and texts, navigation, streamed and
// buffered cursors; commands' markers, each value converted to its column's type or refused.
#include "testdatabase.h"

#include <QDateTime>
#include <QTest>

using namespace adodb;

namespace {

QStringList described(const std::shared_ptr<Connection>& connection, const QString& sql) {
    Command command;
    command.setActiveConnection(connection);
    command.setCommandText(sql);
    command.RefreshParameters();
    QStringList parameters;
    for (const Parameter& parameter : command.Parameters())
        parameters << parameter.column + ":" + QString::number(parameter.type);
    return parameters;
}

const char* const storedDates[] = {"2004-03-05", "2004-02-29", "0005-03-05", "0999-12-31", "9999-12-31",
                                   "2004/03/05", "2003-02-29", "2004-13-01", "2004-00-10", "0000-01-01",
                                   "2004-3-05",  " 2004-03-05", "2004-03-0x", "2004-03-05 10:30:00", "not a date"};

}  // namespace

class RecordsetTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db_;


private slots:
    void initTestCase() {
        db_ = std::make_unique<TestDatabase>();
        db_->exec("create table samples (id integer, d date, dt timestamp, amount real, name text);"
                  "insert into samples values (1, '2004-03-05', '2004-03-05 10:30:00', 12.5, 'x'),"
                  " (2, '2004-03-06', '2004-03-06 00:00:00', 150.0, null), (3, null, null, null, 'z')");
        if (testTarget() == TestTarget::OdbcPostgres)
            return;
        db_->exec("create table dated (k integer, d date)");
        for (const char* const& stored : storedDates)
            db_->exec(QString("insert into dated values (%1, '%2')").arg(&stored - storedDates).arg(stored));
        // One of each kind of value, and texts that are no valid UTF-8 as stored.
        db_->exec("create table mixed (n integer, d date, t datetime, amount real, name text, other);"
                  "insert into mixed values"
                  " (-9223372036854775808, '2004-02-29', '2004-03-05 10:30:00', 0.1 + 0.2, 'Zoë Ångström', x'41ff42'),"
                  " (9223372036854775807, '2004/03/05', '2004-03-05', 1e20, cast(x'41ff42' as text), 7.25),"
                  " (0, 'not a date', null, -0.0, '', 'plain'),"
                  " (null, '0005-01-02', '2004-03-05 25:00:00', null, 'tab\there', null)");
    }
    void cleanupTestCase() { db_.reset(); }

    void readsFieldValues_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");  // "" for NULL, which has no text
        const auto row = [](const char* name, const QString& sql, const QVariant& value, const QString& text) {
            QTest::newRow(name) << sql << value << text;
        };
        row("date, day first", "select d from samples where id = 1", QDate(2004, 3, 5), "05/03/2004");
        row("date and time", "select dt from samples where id = 1", QDateTime({2004, 3, 5}, {10, 30}),
            "05/03/2004 10:30:00");
        row("midnight", "select dt from samples where id = 2", QDate(2004, 3, 6), "06/03/2004");
        row("amount", "select amount from samples where id = 1", 12.5, "12.5");
        row("whole amount", "select amount from samples where id = 2", 150.0, "150");
        row("integer", "select id from samples where id = 1", 1LL, "1");
        row("text", "select name from samples where id = 1", QString("x"), "x");
        row("NULL", "select name from samples where id = 2", QVariant(), "");
        // SQLite gives an aggregate no declared type.
        row("aggregate of dates", "select max(d) from samples",
            perTarget<QVariant>(QString("2004-03-06"), QString("2004-03-06"), QDate(2004, 3, 6)),
            perTarget<QString>("2004-03-06", "2004-03-06", "06/03/2004"));
        row("count", "select count(*) from samples", 3LL, "3");
        row("large", "select 1e20", 1e20, "100000000000000000000");
        row("negative", "select -0.5", -0.5, "-0.5");
        row("fifteen digits", "select 1 / 3.0", perTarget(1 / 3.0, 0.333333333333333, 1 / 3.0), "0.333333333333333");
        if (testTarget() == TestTarget::OdbcPostgres)  // a date column holds only dates
            return;
        for (const char* const& stored : storedDates) {  // as Qt's ISO reading has them, written day first
            const QString text(stored);
            const QDate date = text.size() == 10 ? QDate::fromString(text, Qt::ISODate) : QDate();
            const QDateTime moment =
                text.size() != 10 ? QDateTime::fromString(QString(text).replace(' ', 'T'), Qt::ISODate) : QDateTime();
            row(stored, QString("select d from dated where k = %1").arg(&stored - storedDates),
                date.isValid() ? QVariant(date) : moment.isValid() ? QVariant(moment) : QVariant(text),
                date.isValid()     ? date.toString("dd/MM/yyyy")
                : moment.isValid() ? moment.toString("dd/MM/yyyy hh:mm:ss")
                                   : text);
        }
    }
    void readsFieldValues() {
        QFETCH(QString, sql);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        Recordset recordset;
        recordset.Open(sql, db_->connection());
        const Field field = recordset.Fields(0);
        QCOMPARE(field.Value(), value);
        QCOMPARE(field.IsNull(), !value.isValid());
        QCOMPARE(field.textOrEmpty(), text);
    }

    // Also of texts stored as no valid UTF-8; each stays valid while the row is read.
    void utf8TextsAreTheFieldTexts() {
        SKIP_ON_POSTGRESQL("stored bytes that are no UTF-8");
        for (const CursorTypeEnum cursorType : {adOpenForwardOnly, adOpenStatic}) {
            Recordset recordset;
            recordset.Open("select * from mixed", db_->connection(), cursorType);
            int rows = 0;
            for (; !recordset.isEOF(); recordset.MoveNext(), ++rows) {
                std::vector<std::string_view> texts;
                for (int column = 0; column < recordset.FieldCount(); ++column)
                    texts.push_back(recordset.Fields(column).IsNull() ? "NULL" : recordset.fieldTextUtf8(column));
                for (int column = 0; column < recordset.FieldCount(); ++column) {
                    const Field field = recordset.Fields(column);
                    const QByteArray text = field.IsNull() ? "NULL" : field.text().toUtf8();
                    if (field.IsNull())
                        QCOMPARE(errorNumberOf([&] { recordset.fieldTextUtf8(column); }), long(adErrInvalidUseOfNull));
                    else
                        QCOMPARE(QByteArrayView(recordset.fieldTextUtf8(column)).toByteArray(), text);
                    QCOMPARE(QByteArrayView(texts[std::size_t(column)]).toByteArray(), text);  // the first answer too
                }
            }
            QCOMPARE(rows, 4);
        }
    }

    // A connection serves one result at a time (FreeTDS has no MARS): a
    // recordset still open when other statements run keeps every row.
    void navigates() {
        const auto connection = db_->connection();
        Connection writer;
        writer.Open(db_->connectionString() + perTarget<QString>(";Busy Timeout=50", ";Timeout=50", ""));
        for (const CursorTypeEnum cursorType : {adOpenForwardOnly, adOpenKeyset, adOpenStatic}) {
            Recordset outer;
            outer.Open("select id, name as \"Label\" from samples order by id", connection, cursorType);
            // A streamed result holds the file; a buffered one was read at once.
            if (testTarget() == TestTarget::Embedded)
                QCOMPARE(errorNumberOf([&] { writer.Execute("insert into samples(id) values (4); delete from samples "
                                                            "where id = 4"); }),
                         cursorType == adOpenForwardOnly ? 5L : 0L);  // SQLITE_BUSY
            QCOMPARE(outer.FieldCount(), 2);
            QCOMPARE(outer.Fields(1).Name(), QString("Label"));
            QStringList seen{outer.Fields("ID").text()};
            outer.MoveNext();
            Recordset inner;
            inner.Open("select name from samples where id = 3", connection);
            connection->BeginTrans();
            connection->Execute(QString("insert into pusers values (%1, 'while reading')").arg(cursorType));
            connection->CommitTrans();
            for (; !outer.isEOF(); outer.MoveNext())
                seen << outer.Fields("ID").text() + ":" + outer.Fields("label").textOrEmpty();
            QCOMPARE(seen, (QStringList{"1", "2:", "3:z"}));
            QCOMPARE(inner.Fields(0).text(), QString("z"));
            outer.Close();
            QCOMPARE(outer.State(), long(adStateClosed));
        }
        QCOMPARE(db_->rows("select userid from pusers order by 1"), (QStringList{"0", "1", "3"}));
    }

    // Where the driver describes no markers (FreeTDS; PostgreSQL's without
    // server-side prepare), the catalog gives the same types.
    void describesMarkers() {
        const QString sql = "update pReimburseHeader set rhdate=?,rhRemarks=?,  rhTotalAmt=? where rhreimburseid=5 and "
                            "rhcompanyid =?";
        const QString types =
            "rhdate:7,rhRemarks:200,rhTotalAmt:" + perTarget<QString>("5", "5", "131") + ",rhcompanyid:3";
        QCOMPARE(described(db_->connection(), sql).join(','), types);
        if (testTarget() != TestTarget::OdbcPostgres)
            return;
        auto catalogOnly = std::make_shared<Connection>();
        catalogOnly->Open(db_->connectionString() + ";UseServerSidePrepare=0");
        QCOMPARE(described(catalogOnly, sql).join(','), types);
    }

    void storesValues_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("stored");  // as text, or the refusal
        const auto date = [](const char* name, const QVariant& value) {
            QTest::newRow(name) << "rhdate" << value << "2004-03-05";
        };
        date("day first", "05/03/2004");
        date("day first, short", "5/3/2004");
        date("compact", "20040305");
        date("year first", "2004/03/05");
        date("ISO", "2004-03-05");
        date("QDate", QDate(2004, 3, 5));
        date("QDateTime at midnight", QDateTime({2004, 3, 5}, {0, 0}));
        if (testTarget() != TestTarget::OdbcPostgres)  // a date column that keeps a time
            QTest::newRow("QDateTime") << "rhdate" << QVariant(QDateTime({2004, 3, 5}, {10, 30}))
                                       << "2004-03-05 10:30:00";
        QTest::newRow("amount text") << "rhTotalAmt" << QVariant("1234.50")
                                     << perTarget<QString>("1234.5", "1234.5", "1234.50");
        QTest::newRow("whole amount") << "rhTotalAmt" << QVariant(2) << perTarget<QString>("2.0", "2.0", "2.00");
        QTest::newRow("integer text") << "rhClaimEmpID" << QVariant("4") << "4";
        QTest::newRow("empty text") << "rhremarks" << QVariant("") << "";
        QTest::newRow("NULL") << "rhremarks" << QVariant() << "NULL";
        for (const char* text : {"O'Brien's \"bill\"", "50%_off", "1; delete from pReimburseHeader; --", "? 20040214",
                                 "Zoë Ångström ✓ 😀"})
            QTest::newRow(text) << "rhreimburseno" << QVariant(text) << text;
        QTest::newRow("no such day") << "rhdate" << QVariant("31/02/2004")
                                     << "Conversion failed when converting date and/or time from character string.";
        QTest::newRow("fraction for an integer")
            << "rhClaimEmpID" << QVariant("1.5")
            << "Conversion failed when converting the varchar value '1.5' to data type int.";
        QTest::newRow("comma decimal") << "rhTotalAmt" << QVariant("12,50")
                                       << "Error converting data type varchar to numeric.";
    }
    void storesValues() {
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(QString, stored);
        db_->exec("delete from pReimburseHeader");
        Command command;
        command.setActiveConnection(db_->connection());
        command.setCommandText("insert into pReimburseHeader(rhreimburseid,rhcompanyid, " + column + ") values(?,?,?)");
        try {
            command.Execute({5, 1, value});
        } catch (const Error& error) {
            QCOMPARE(error.Description(), stored);
            QCOMPARE(db_->scalar("select count(*) from pReimburseHeader"), QString("0"));
            return;
        }
        QCOMPARE(db_->scalar("select coalesce(" + column + " || '', 'NULL') from pReimburseHeader"), stored);
    }
};

QTEST_GUILESS_MAIN(RecordsetTest)
#include "tst_data_recordset.moc"
