// The user's rights on New, Edit, Delete and Preview: at load, and as the
// user clicks from row to row.
#include "registerfixture.h"

#include "register/flexgrid.h"

#include <QPushButton>
#include <QTest>

using namespace ZQ5Reimbursement;

namespace {

// "N E D P" as 1 or 0 for cmdnew, CmdEdit, CmdDelete and cmdPrint.
QString buttons(const FrmMaster& master) {
    QString states;
    for (const QPushButton* button : {master.cmdnew, master.CmdEdit, master.CmdDelete, master.cmdPrint})
        states += button->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

void clickRow(FlexGrid& grid, int row) {
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(grid.Row(), row);
}

// Rows: 1 live (RB/1), 2 cancelled (RB/2), 3 live or cancelled (RB/3), in insertion order.
void addClaims(RegisterFixture& fixture, bool lastCancelled) {
    fixture.addClaim(1, QStringLiteral("RB/1"), QStringLiteral("2004-03-01"));
    fixture.addClaim(2, QStringLiteral("RB/2"), QStringLiteral("2004-03-02"), 11, 1, 1);
    fixture.addClaim(3, QStringLiteral("RB/3"), QStringLiteral("2004-03-03"), 11, 1, lastCancelled ? 1 : 0);
}

}  // namespace

class TestFrmMasterRights : public QObject {
    Q_OBJECT
private slots:
    void lettersAtLoad_data() {
        QTest::addColumn<QString>("rights");
        QTest::addColumn<bool>("lastCancelled");
        QTest::addColumn<QString>("expected");
        QTest::newRow("NEP") << "NEP" << false << "1101";
        QTest::newRow("NEDP live last") << "NEDP" << false << "1111";
        QTest::newRow("NEDP cancelled last") << "NEDP" << true << "1101";
        QTest::newRow("small letters") << "nedp" << false << "0000";
        QTest::newRow("further letters") << "NEDUP" << false << "1111";
        QTest::newRow("D only") << "xDy" << false << "0010";
    }
    void lettersAtLoad() {
        QFETCH(QString, rights);
        QFETCH(bool, lastCancelled);
        QFETCH(QString, expected);
        RegisterFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE puserrights SET FunctionRights = '%1'").arg(rights));
        addClaims(fixture, lastCancelled);
        FrmMaster& master = fixture.open();
        QCOMPARE(buttons(master), expected);
        QVERIFY(fixture.db.statements().contains(
            QStringLiteral("Select FunctionRights from puserrights  where  companyid = 1 and userid = 5 and  interfaceid = 42")));
    }

    void rowClicksFollowTheClaim() {
        RegisterFixture fixture;
        addClaims(fixture, true);
        FrmMaster& master = fixture.openShown();
        QCOMPARE(buttons(master), QStringLiteral("1101"));
        clickRow(*master.flexMaster, 1);
        QCOMPARE(buttons(master), QStringLiteral("1111"));
        clickRow(*master.flexMaster, 2);
        QCOMPARE(buttons(master), QStringLiteral("1101"));
        // Keys move the current cell too.
        QTest::keyClick(master.flexMaster, Qt::Key_Up);
        QCOMPARE(master.flexMaster->Row(), 1);
        QCOMPARE(buttons(master), QStringLiteral("1111"));
    }

    // Delete needs its letter on every click; Edit and Preview follow the row.
    // Without a rights row, user 1 gets nothing and any other user everything.
    void buttonsAtLoadAndAfterAClickOnALiveClaim_data() {
        QTest::addColumn<QString>("rights");  // empty: the fixture's NEDP row
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("atLoad");
        QTest::addColumn<QString>("afterClick");
        QTest::newRow("no delete letter") << "NEP" << int(RegisterFixture::userId) << "1101" << "1101";
        QTest::newRow("delete letter only") << "D" << int(RegisterFixture::userId) << "0010" << "0111";
        QTest::newRow("no rights row, user 1") << "" << 1 << "0000" << "0101";
        QTest::newRow("no rights row, other user") << "" << 9 << "1111" << "1101";
    }
    void buttonsAtLoadAndAfterAClickOnALiveClaim() {
        QFETCH(QString, rights);
        QFETCH(int, user);
        QFETCH(QString, atLoad);
        QFETCH(QString, afterClick);
        RegisterFixture fixture;
        if (!rights.isEmpty())
            fixture.db.exec(QStringLiteral("UPDATE puserrights SET FunctionRights = '%1'").arg(rights));
        fixture.setContext(std::int16_t(user));
        addClaims(fixture, false);
        FrmMaster& master = fixture.openShown();
        QCOMPARE(buttons(master), atLoad);
        clickRow(*master.flexMaster, 1);
        QCOMPARE(buttons(master), afterClick);
    }

    void emptyRegister() {
        RegisterFixture fixture;
        FrmMaster& master = fixture.openShown();
        QCOMPARE(buttons(master), QStringLiteral("1101"));
        clickRow(*master.flexMaster, 1);
        QCOMPARE(buttons(master), QStringLiteral("1000"));
    }

    void firstOfTwoRightsRowsCounts() {
        RegisterFixture fixture;
        fixture.db.exec(QStringLiteral("DELETE FROM puserrights; INSERT INTO puserrights VALUES (1, 5, 42, 'N'), (1, 5, 42, 'NEDP'),"
                                       " (2, 5, 42, 'NEDP'), (1, 5, 43, 'NEDP')"));
        addClaims(fixture, false);
        FrmMaster& master = fixture.open();
        QCOMPARE(buttons(master), QStringLiteral("1000"));
    }
};

QTEST_MAIN(TestFrmMasterRights)
#include "tst_frmmaster_rights.moc"
