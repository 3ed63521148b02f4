// The table-name map as the register's load fills it from linktable.
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/linktables.h"
#include "testdatabase.h"
#include "testhelpers.h"

#include <QtTest>

using namespace ZQ5Reimbursement;

class LinkTablesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    Context& context = Context::instance();
    CommonModule::clsCommonDB commonDB;

    void fill() { GetLinkTables(context, commonDB); }

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        db->exec(QStringLiteral("delete from linktable"));
        context.setConnection(db->connection());
        context.tables = TableNames{};
    }

    void statementIsTheThreePieces() {
        QCOMPARE(linkTablesStatement(),
                 QStringLiteral(" select tablename, linktablename from linktable where tablename in (  'pusers', "
                                "'pfacilitymaster', 'pemployee', 'pfacilitydetails','pReimbursedetail',"
                                "'pReimburseHeader', 'ptables',  'ptablecolumns', 'puserrights','pSettings',  "
                                "'pPrefix','pcurrencymaster','preimbursementmaster','preimeligibilityheader',"
                                "'preimeligibilitydetail')"));
        fill();
        QCOMPARE(db->statements(), QStringList{linkTablesStatement()});
        QCOMPARE(commonDB.adocon(), db->connection());
    }

    void allFifteenMapped() {
        for (const QString& name : TableNames::logicalNames())
            db->exec(QStringLiteral("insert into linktable values ('%1', 'x_%1')").arg(name));
        fill();
        for (const QString& name : TableNames::logicalNames())
            QCOMPARE(context.tables[name], QStringLiteral("x_") + name);
        QCOMPARE(context.tables[QStringLiteral("pfacilitymaster")], QStringLiteral("x_pfacilitymaster"));
        QCOMPARE(context.tables[QStringLiteral("pfacilitydetails")], QStringLiteral("x_pfacilitydetails"));
    }

    void namesInOtherCaseAreMapped() {
        db->exec(QStringLiteral("insert into linktable values ('PSETTINGS', 'settings_2026'), "
                                "('preimburseheader', 'claims')"));
        fill();
        QCOMPARE(context.tables[QStringLiteral("pSettings")], QStringLiteral("settings_2026"));
        QCOMPARE(context.tables[QStringLiteral("pReimburseHeader")], QStringLiteral("claims"));
        QCOMPARE(context.tables[QStringLiteral("PREIMBURSEHEADER")], QStringLiteral("claims"));
    }

    void missingNameKeepsItsPreviousValue() {
        db->exec(QStringLiteral("insert into linktable values ('pusers', 'users_a')"));
        fill();
        QCOMPARE(context.tables[QStringLiteral("pemployee")], QString());  // empty at first, no fallback
        QCOMPARE(context.tables[QStringLiteral("pusers")], QStringLiteral("users_a"));

        db->exec(QStringLiteral("delete from linktable"));
        db->exec(QStringLiteral("insert into linktable values ('pemployee', 'staff')"));
        fill();
        QCOMPARE(context.tables[QStringLiteral("pusers")], QStringLiteral("users_a"));
        QCOMPARE(context.tables[QStringLiteral("pemployee")], QStringLiteral("staff"));
    }

    void laterRowWins() {
        db->exec(QStringLiteral("insert into linktable values ('pPrefix', 'prefix_old'), ('PPREFIX', 'prefix_new')"));
        fill();
        QCOMPARE(context.tables[QStringLiteral("pPrefix")], QStringLiteral("prefix_new"));
    }

    void nullPhysicalNameIsAnError() {
        db->exec(QStringLiteral("insert into linktable values ('pusers', NULL)"));
        QCOMPARE(errorNumberOf([this] { fill(); }), long(adodb::adErrInvalidUseOfNull));
    }

    void rowsForOtherNamesChangeNothing() {
        db->exec(QStringLiteral("insert into linktable values ('ppayrollmaster', 'payroll'), ('pusersx', 'ux'), "
                                "('pusers', 'users')"));
        fill();
        QCOMPARE(context.tables[QStringLiteral("pusers")], QStringLiteral("users"));
        for (const QString& name : TableNames::logicalNames())
            if (name != QStringLiteral("pusers"))
                QCOMPARE(context.tables[name], QString());
        QCOMPARE(context.tables[QStringLiteral("ppayrollmaster")], QString());
    }

    void missingLinktableIsAnError() {
        db->exec(QStringLiteral("drop table linktable"));
        QVERIFY_THROWS_EXCEPTION(adodb::Error, fill());
    }
};

QTEST_MAIN(LinkTablesTest)
#include "test_linktables.moc"
