// The demo database: built from the shipped SQL on first use, with physical
// table names of its own that linktable maps.
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/demodatabase.h"
#include "shell/linktables.h"
#include "testdatabase.h"
#include "testhelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ZQ5Reimbursement;

class DemoDatabaseTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    std::shared_ptr<adodb::Connection> openDemo(const QString& name) {
        const QString path = dir.filePath(name);
        auto connection = std::make_shared<adodb::Connection>();
        connection->Open(ensureDemoDatabase(path));
        return connection;
    }

private slots:
    void createdOnFirstUseInItsFolder() {
        const QString path = dir.filePath(QStringLiteral("nested/folder/demo.db"));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(ensureDemoDatabase(path), QStringLiteral("Provider=SQLite;Data Source=") + path);
        QVERIFY(QFile::exists(path));
        QVERIFY(!QFile::exists(path + QStringLiteral(".partial")));
    }

    void existingFileIsLeftAlone() {
        const QString path = dir.filePath(QStringLiteral("existing.db"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not touched");
        file.close();
        QCOMPARE(ensureDemoDatabase(path), QStringLiteral("Provider=SQLite;Data Source=") + path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("not touched"));
    }

    void linktableMapsToPhysicalNamesThatDiffer() {
        Context& context = Context::instance();
        context.setConnection(openDemo(QStringLiteral("map.db")));
        context.tables = TableNames{};
        CommonModule::clsCommonDB commonDB;
        GetLinkTables(context, commonDB);
        for (const QString& name : TableNames::logicalNames())
            QCOMPARE(context.tables[name], QStringLiteral("zq_") + name);

        // The register's layout is found under the physical header name.
        QCOMPARE(TestDatabase::rowsOf(context.gAdoCon(), QStringLiteral("select tablename from ") + context.tables[QStringLiteral("ptables")]),
                 QStringList{context.tables[QStringLiteral("pReimburseHeader")]});
        QVERIFY_THROWS_EXCEPTION(adodb::Error, TestDatabase::rowsOf(context.gAdoCon(), QStringLiteral("select * from pReimburseHeader")));
    }

    void claimTotalsAreTheSumsOfTheirLines() {
        const auto connection = openDemo(QStringLiteral("content.db"));
        // Every claim's total is the sum of its lines.
        QCOMPARE(TestDatabase::rowsOf(connection, QStringLiteral("select count(*) from zq_pReimburseHeader h where h.rhTotalAmt <> "
                                                 "(select sum(rdbillamt) from zq_pReimbursedetail d "
                                                 "where d.rdreimburseid=h.rhreimburseid)")),
                 QStringList{QStringLiteral("0")});
        QCOMPARE(TestDatabase::rowsOf(connection, QStringLiteral("select rhreimburseno from zq_pReimburseHeader where rhcompanyid=2")),
                 QStringList{QStringLiteral("RC1")});
    }
};

QTEST_MAIN(DemoDatabaseTest)
#include "test_demodatabase.moc"
