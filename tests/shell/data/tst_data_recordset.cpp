// Recordsets: value types, value texts, navigation and its errors, and the
// difference between streamed and buffered cursors.
#include "testdatabase.h"

#include <QDateTime>
#include <QTest>

namespace {

template <typename Action>
long errorNumberOf(Action action) {
    try {
        action();
    } catch (const adodb::Error& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace

class RecordsetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { db_.reset(); }

    void valuesTakeTheirTypes();
    void textsFollowTheValue_data();
    void textsFollowTheValue();
    void nullHasNoText();
    void storedDatesReadAsQtReadsThem_data();
    void storedDatesReadAsQtReadsThem();
    void utf8TextsAreTheFieldTexts_data();
    void utf8TextsAreTheFieldTexts();
    void navigates_data();
    void navigates();
    void bufferedCursorReleasesTheDatabase();
    void streamsManyRows();
    void keepsItsRowsWhileOtherStatementsRun();

private:
    adodb::Field first(const QString& sql);
    std::unique_ptr<TestDatabase> db_;
};

void RecordsetTest::initTestCase() {
    db_ = std::make_unique<TestDatabase>();
    db_->exec("create table samples (id integer, d date, dt timestamp, amount real, name text);"
              "insert into samples values (1, '2004-03-05', '2004-03-05 10:30:00', 12.5, 'x'),"
              " (2, '2004-03-06', '2004-03-06 00:00:00', 150.0, null), (3, null, null, null, 'z')");
    if (testTarget() == TestTarget::OdbcPostgres)
        return;
    // One of each kind of value, and texts that are no valid UTF-8 as stored.
    db_->exec("create table mixed (n integer, d date, t datetime, amount real, name text, other);"
              "insert into mixed values"
              " (-9223372036854775808, '2004-02-29', '2004-03-05 10:30:00', 0.1 + 0.2, 'Zoë Ångström', x'41ff42'),"
              " (9223372036854775807, '2004/03/05', '2004-03-05', 1e20, cast(x'41ff42' as text), 7.25),"
              " (0, 'not a date', null, -0.0, '', 'plain'),"
              " (null, '0005-01-02', '2004-03-05 25:00:00', null, 'tab\there', null)");
}

adodb::Field RecordsetTest::first(const QString& sql) {
    adodb::Recordset recordset;
    recordset.Open(sql, db_->connection());
    return recordset.Fields(0);
}

void RecordsetTest::valuesTakeTheirTypes() {
    QCOMPARE(first("select d from samples where id = 1").Value(), QVariant(QDate(2004, 3, 5)));
    QCOMPARE(first("select dt from samples where id = 1").Value(), QVariant(QDateTime({2004, 3, 5}, {10, 30})));
    QCOMPARE(first("select dt from samples where id = 2").Value(), QVariant(QDate(2004, 3, 6)));
    QCOMPARE(first("select amount from samples where id = 1").Value(), QVariant(12.5));
    QCOMPARE(first("select id from samples where id = 1").Value(), QVariant(1LL));
    QCOMPARE(first("select name from samples where id = 1").Value(), QVariant(QString("x")));
    QVERIFY(!first("select name from samples where id = 2").Value().isValid());
    // SQLite gives an aggregate no declared type.
    QCOMPARE(first("select max(d) from samples").Value(),
             perTarget<QVariant>(QString("2004-03-06"), QString("2004-03-06"), QDate(2004, 3, 6)));
}

void RecordsetTest::textsFollowTheValue_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("date day first") << "select d from samples where id = 1" << "05/03/2004";
    QTest::newRow("date and time") << "select dt from samples where id = 1" << "05/03/2004 10:30:00";
    QTest::newRow("whole amount") << "select amount from samples where id = 2" << "150";
    QTest::newRow("amount") << "select amount from samples where id = 1" << "12.5";
    QTest::newRow("sum") << "select sum(amount) from samples" << "162.5";
    QTest::newRow("count") << "select count(*) from samples" << "3";
    QTest::newRow("large") << "select 1e20" << "100000000000000000000";
    QTest::newRow("negative") << "select -0.5" << "-0.5";
    QTest::newRow("fifteen digits") << "select 1 / 3.0" << "0.333333333333333";
}

void RecordsetTest::textsFollowTheValue() {
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(first(sql).text(), expected);
}

void RecordsetTest::nullHasNoText() {
    const adodb::Field field = first("select name from samples where id = 2");
    QVERIFY(field.IsNull());
    QCOMPARE(field.textOrEmpty(), QString(""));
    try {
        field.text();
        QFAIL("text of NULL");
    } catch (const adodb::Error& error) {
        QCOMPARE(error.Number(), long(adodb::adErrInvalidUseOfNull));
        QCOMPARE(error.Description(), QString("Invalid use of Null"));
    }
}

void RecordsetTest::storedDatesReadAsQtReadsThem_data() {
    QTest::addColumn<QString>("stored");
    for (const char* stored : {"2004-03-05", "2004-02-29", "0005-03-05", "0999-12-31", "9999-12-31", "2004/03/05",
                               "2003-02-29", "2004-13-01", "2004-00-10", "0000-01-01", "2004-3-05", " 2004-03-05",
                               "2004-03-0x", "2004-03-05 10:30:00", "not a date"})
        QTest::newRow(stored) << QString(stored);
}

// Stored date texts read back as Qt's ISO reading has them, and write day first.
void RecordsetTest::storedDatesReadAsQtReadsThem() {
    SKIP_ON_POSTGRESQL("a date column holds only dates");
    QFETCH(QString, stored);
    db_->exec("create table dated (d date)");
    db_->exec("insert into dated values ('" + stored + "')");
    const adodb::Field field = first("select d from dated");
    db_->exec("drop table dated");
    QVariant expected = stored;
    if (const QDate date = QDate::fromString(stored, Qt::ISODate); stored.size() == 10 && date.isValid())
        expected = date;
    else if (const QDateTime moment = QDateTime::fromString(QString(stored).replace(' ', 'T'), Qt::ISODate);
             stored.size() != 10 && moment.isValid())
        expected = moment;
    QCOMPARE(field.Value(), expected);
    if (expected.typeId() == QMetaType::QDate)
        QCOMPARE(field.text(), expected.toDate().toString("dd/MM/yyyy"));
    else if (expected.typeId() == QMetaType::QString)
        QCOMPARE(field.text(), stored);
}

void RecordsetTest::utf8TextsAreTheFieldTexts_data() {
    QTest::addColumn<int>("cursorType");
    QTest::newRow("forward-only") << int(adodb::adOpenForwardOnly);
    QTest::newRow("static") << int(adodb::adOpenStatic);
}

// fieldTextUtf8 gives every field's text() in UTF-8, including texts that are
// no valid UTF-8 as stored, and raises where text() raises.
void RecordsetTest::utf8TextsAreTheFieldTexts() {
    SKIP_ON_POSTGRESQL("stored bytes that are no UTF-8");
    QFETCH(int, cursorType);
    adodb::Recordset recordset;
    recordset.Open("select * from mixed", db_->connection(), adodb::CursorTypeEnum(cursorType));
    int rows = 0;
    for (; !recordset.isEOF(); recordset.MoveNext(), ++rows) {
        std::vector<std::string_view> texts(std::size_t(recordset.FieldCount()));
        for (int column = 0; column < recordset.FieldCount(); ++column) {
            if (recordset.Fields(column).IsNull())
                QCOMPARE(errorNumberOf([&] { recordset.fieldTextUtf8(column); }), long(adodb::adErrInvalidUseOfNull));
            else
                texts[std::size_t(column)] = recordset.fieldTextUtf8(column);
        }
        for (int column = 0; column < recordset.FieldCount(); ++column) {  // still valid on the same row, asked again
            if (recordset.Fields(column).IsNull())
                continue;
            const QByteArray again = QByteArrayView(recordset.fieldTextUtf8(column)).toByteArray();
            QCOMPARE(QByteArrayView(texts[std::size_t(column)]).toByteArray(), recordset.Fields(column).text().toUtf8());
            QCOMPARE(again, recordset.Fields(column).text().toUtf8());
        }
        QCOMPARE(errorNumberOf([&] { recordset.fieldTextUtf8(recordset.FieldCount()); }),
                 long(adodb::adErrItemNotFound));
    }
    QCOMPARE(rows, 4);
    QCOMPARE(errorNumberOf([&] { recordset.fieldTextUtf8(0); }), long(adodb::adErrNoCurrentRecord));
    recordset.Close();
}

void RecordsetTest::navigates_data() {
    QTest::addColumn<int>("cursorType");
    QTest::newRow("forward-only") << int(adodb::adOpenForwardOnly);
    QTest::newRow("keyset") << int(adodb::adOpenKeyset);
    QTest::newRow("static") << int(adodb::adOpenStatic);
}

void RecordsetTest::navigates() {
    QFETCH(int, cursorType);
    adodb::Recordset recordset;
    recordset.Open("select id, name as \"Label\" from samples order by id", db_->connection(),
                   adodb::CursorTypeEnum(cursorType));
    QCOMPARE(recordset.State(), long(adodb::adStateOpen));
    QCOMPARE(errorNumberOf([&] { recordset.Open("select 1", db_->connection()); }), 3705L);
    QCOMPARE(recordset.FieldCount(), 2);
    QCOMPARE(recordset.Fields(1).Name(), QString("Label"));
    QCOMPARE(errorNumberOf([&] { recordset.Fields("nosuch"); }), long(adodb::adErrItemNotFound));
    QCOMPARE(errorNumberOf([&] { recordset.Fields(2); }), long(adodb::adErrItemNotFound));
    QStringList seen;
    for (; !recordset.isEOF(); recordset.MoveNext())
        seen << recordset.Fields("ID").text() + ":" + recordset.Fields("label").textOrEmpty();
    QCOMPARE(seen, (QStringList{"1:x", "2:", "3:z"}));
    QCOMPARE(errorNumberOf([&] { recordset.Fields(0); }), long(adodb::adErrNoCurrentRecord));
    QCOMPARE(errorNumberOf([&] { recordset.MoveNext(); }), long(adodb::adErrNoCurrentRecord));
    recordset.Close();
    QCOMPARE(recordset.State(), long(adodb::adStateClosed));
    QCOMPARE(errorNumberOf([&] { recordset.isEOF(); }), long(adodb::adErrObjectClosed));
}

void RecordsetTest::bufferedCursorReleasesTheDatabase() {
    if (testTarget() != TestTarget::Embedded)
        QSKIP("the embedded provider's own statements");
    adodb::Connection writer;
    writer.Open(db_->connectionString() + ";Busy Timeout=50");
    adodb::Recordset streamed;
    streamed.Open("select id from samples", db_->connection(), adodb::adOpenForwardOnly);
    QCOMPARE(errorNumberOf([&] { writer.Execute("insert into samples(id) values (4)"); }), 5L);  // SQLITE_BUSY
    streamed.Close();
    adodb::Recordset buffered;
    buffered.Open("select id from samples", db_->connection(), adodb::adOpenStatic);
    writer.Execute("insert into samples(id) values (4)");
    writer.Execute("delete from samples where id = 4");
    QCOMPARE(buffered.Fields(0).text(), QString("1"));
}

// A connection serves one result at a time (FreeTDS has no MARS): a
// recordset still open when other statements run keeps every row.
void RecordsetTest::keepsItsRowsWhileOtherStatementsRun() {
    const auto connection = db_->connection();
    adodb::Recordset outer;
    outer.Open("select id, name from samples order by id", connection);
    QStringList seen{outer.Fields(0).text()};
    outer.MoveNext();
    adodb::Recordset inner;
    inner.Open("select name from samples where id = 3", connection);
    connection->BeginTrans();
    connection->Execute("insert into pusers values (9, 'while reading')");
    connection->CommitTrans();
    for (; !outer.isEOF(); outer.MoveNext())
        seen << outer.Fields(0).text() + outer.Fields(1).textOrEmpty();
    QCOMPARE(seen, (QStringList{"1", "2", "3z"}));
    QCOMPARE(inner.Fields(0).text(), QString("z"));
    QCOMPARE(db_->scalar("select username from pusers"), QString("while reading"));
}

void RecordsetTest::streamsManyRows() {
    adodb::Recordset recordset;
    recordset.Open("with recursive n(i) as (select 1 union all select i + 1 from n where i < 200000) select i from n",
                   db_->connection());
    qlonglong count = 0;
    qlonglong sum = 0;
    for (; !recordset.isEOF(); recordset.MoveNext(), ++count)
        sum += recordset.Fields(0).Value().toLongLong();
    QCOMPARE(count, 200000LL);
    QCOMPARE(sum, 200000LL * 200001LL / 2);
}

QTEST_GUILESS_MAIN(RecordsetTest)
#include "tst_data_recordset.moc"
