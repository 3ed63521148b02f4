// The demo database: built from the shipped SQL on first use, with physical
// table names of its own that linktable maps.
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/demodatabase.h"
#include "shell/linktables.h"
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
        QCOMPARE(recordsetRows(context.gAdoCon(), QStringLiteral("select tablename from ") + context.tables[QStringLiteral("ptables")]),
                 QStringList{context.tables[QStringLiteral("pReimburseHeader")]});
        QVERIFY_THROWS_EXCEPTION(adodb::Error, recordsetRows(context.gAdoCon(), QStringLiteral("select * from pReimburseHeader")));
    }

    void holdsWhatAClerkMeets() {
        const auto connection = openDemo(QStringLiteral("content.db"));
        QCOMPARE(recordsetRows(connection, QStringLiteral("select ColumnHeader, ColumnLength from zq_ptablecolumns "
                                                 "where tableid=1 order by columnid")),
                 (QStringList{QStringLiteral("ID|0"), QStringLiteral("Reimb. No.|8"), QStringLiteral("Type|14"),
                              QStringLiteral("Date|6"), QStringLiteral("Employee|22"), QStringLiteral("Cancelled|2")}));
        QCOMPARE(recordsetRows(connection, QStringLiteral("select Prefix from zq_pPrefix where InterfaceID=101 and companyid=1")),
                 QStringList{QStringLiteral("RB")});
        QCOMPARE(recordsetRows(connection, QStringLiteral("select FunctionRights from zq_puserrights "
                                                 "where companyid=1 and userid=1 and interfaceid=101")),
                 QStringList{QStringLiteral("NEDP")});
        // Live, cancelled, paid, and unpaid after a cancelled payment.
        QCOMPARE(recordsetRows(connection, QStringLiteral("select count(*) from zq_pReimburseHeader where rhcompanyid=1 "
                                                 "and rhCancelled=1")),
                 QStringList{QStringLiteral("1")});
        QCOMPARE(recordsetRows(connection, QStringLiteral("select d.pdReimburseID, h.phCancelled from pPaymentDetail d, "
                                                 "pPaymentHeader h where d.pdPaymentID=h.phPaymentID "
                                                 "and d.pdCompanyID=h.phCompanyID order by 1")),
                 (QStringList{QStringLiteral("2|0"), QStringLiteral("4|1")}));
        QCOMPARE(recordsetRows(connection, QStringLiteral("select count(*) from zq_preimeligibilityheader "
                                                 "where rereimtilldate is null")),
                 QStringList{QStringLiteral("1")});
        QCOMPARE(recordsetRows(connection, QStringLiteral("select count(*) from zq_pemployee where eActive=0")),
                 QStringList{QStringLiteral("2")});
        // Every claim's total is the sum of its lines.
        QCOMPARE(recordsetRows(connection, QStringLiteral("select count(*) from zq_pReimburseHeader h where h.rhTotalAmt <> "
                                                 "(select sum(rdbillamt) from zq_pReimbursedetail d "
                                                 "where d.rdreimburseid=h.rhreimburseid)")),
                 QStringList{QStringLiteral("0")});
        QCOMPARE(recordsetRows(connection, QStringLiteral("select rhreimburseno from zq_pReimburseHeader where rhcompanyid=2")),
                 QStringList{QStringLiteral("RC1")});
    }
};

QTEST_MAIN(DemoDatabaseTest)
#include "test_demodatabase.moc"
