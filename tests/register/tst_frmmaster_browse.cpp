// The Browse frame's sort and search, and the grid's mouse and key shortcuts.
#include "registerfixture.h"

#include "gridcolumn.h"
#include "register/flexgrid.h"

#include "uidriver.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace ZQ5Reimbursement;

namespace {

int rowOf(const FlexGrid& grid, const QString& claimNumber) {
    return int(gridColumn(grid, 1).indexOf(claimNumber)) + 1;
}

void pick(QComboBox* combo, const QString& caption) {
    const int index = combo->findText(caption);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
}

// Claim numbers whose order differs from their dates and names.
void addClaims(RegisterFixture& fixture) {
    fixture.addClaim(2, QStringLiteral("RB/3"), QStringLiteral("2004-03-01"), 12);
    fixture.addClaim(10, QStringLiteral("RB/1"), QStringLiteral("2004-03-03"), 11);
    fixture.addClaim(20, QStringLiteral("RB/2"), QStringLiteral("2004-02-20"), 12, 2);
    fixture.addClaim(100, QStringLiteral("RB/5"), QStringLiteral("2004-01-05"), 11, 2, 1);
    fixture.addClaim(1000, QStringLiteral("RB/4"), QStringLiteral("2004-03-04"), 12);
}

}  // namespace

class TestFrmMasterBrowse : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeAllWindows(); }

    void sortOnAColumnBothWays() {
        RegisterFixture fixture;
        addClaims(fixture);
        FrmMaster& master = fixture.openShown();
        FlexGrid& grid = *master.flexMaster;
        pick(master.cboColNames, QStringLiteral("Employee"));
        QCOMPARE(gridColumn(grid, 4), (QStringList{QStringLiteral("John Abbot"), QStringLiteral("John Abbot"),
                                               QStringLiteral("John Abbot"), QStringLiteral("Meera Nair"),
                                               QStringLiteral("Meera Nair")}));
        // The last row selected across the grid afterwards.
        QCOMPARE(grid.Row(), 5);
        QCOMPARE(grid.Col(), 0);

        // A new order clears the column; nothing moves until a column is picked again.
        QTest::mouseClick(master.optDescend, Qt::LeftButton);
        QCOMPARE(master.cboColNames->currentIndex(), -1);
        QCOMPARE(gridColumn(grid, 4).first(), QStringLiteral("John Abbot"));
        pick(master.cboColNames, QStringLiteral("Type"));
        QCOMPARE(gridColumn(grid, 2).first(), QStringLiteral("Travel"));
        QCOMPARE(gridColumn(grid, 2).last(), QStringLiteral("Medical"));
    }

    void aDateCaptionSortsOnTheClaimNumber() {
        RegisterFixture fixture;
        addClaims(fixture);
        FrmMaster& master = fixture.openShown();
        pick(master.cboColNames, QStringLiteral("Claim Date"));
        QCOMPARE(gridColumn(*master.flexMaster, 1),
                 (QStringList{QStringLiteral("RB/1"), QStringLiteral("RB/2"), QStringLiteral("RB/3"), QStringLiteral("RB/4"),
                              QStringLiteral("RB/5")}));
        QVERIFY(gridColumn(*master.flexMaster, 3) != (QStringList{QStringLiteral("05/01/2004"), QStringLiteral("20/02/2004"),
                                                               QStringLiteral("01/03/2004"), QStringLiteral("03/03/2004"),
                                                               QStringLiteral("04/03/2004")}));
    }

    void sortKeepsTheButtonsOfThePreviousRow() {
        RegisterFixture fixture;
        addClaims(fixture);
        FrmMaster& master = fixture.openShown();
        FlexGrid& grid = *master.flexMaster;
        grid.setRow(rowOf(grid, QStringLiteral("RB/5")));  // the cancelled claim
        QVERIFY(!master.CmdDelete->isEnabled());
        QTest::mouseClick(master.optDescend, Qt::LeftButton);
        pick(master.cboColNames, QStringLiteral("Claim No"));
        QCOMPARE(gridColumn(grid, 1).first(), QStringLiteral("RB/5"));
        QCOMPARE(grid.Row(), 5);
        QCOMPARE(grid.TextMatrix(5, 1), QStringLiteral("RB/1"));
        QVERIFY(!master.CmdDelete->isEnabled());
        // The next move of the current cell updates them again.
        QTest::keyClick(&grid, Qt::Key_Up);
        QCOMPARE(grid.Row(), 4);
        QVERIFY(master.CmdDelete->isEnabled());
    }

    void numberSearchFindsTheFirstEqualValue() {
        RegisterFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE ptablecolumns SET ColumnLength = 2 WHERE columnid = 1"));
        addClaims(fixture);
        FrmMaster& master = fixture.openShown();
        pick(master.cboSearch, QStringLiteral("ID"));
        QTest::keyClicks(master.txtsearch, QStringLiteral("10"));
        FlexGrid& grid = *master.flexMaster;
        QCOMPARE(gridColumn(grid, 0), (QStringList{QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("20"),
                                               QStringLiteral("100"), QStringLiteral("1000")}));
        QCOMPARE(grid.Row(), 2);
        QCOMPARE(grid.Col(), 0);
        QCOMPARE(grid.selectionModel()->selectedIndexes().size(), 6);
        // The search selected a live claim with the D right: Delete follows it.
        QVERIFY(master.CmdDelete->isEnabled());
    }

    void textSearchInCapitals() {
        RegisterFixture fixture;
        addClaims(fixture);
        FrmMaster& master = fixture.openShown();
        FlexGrid& grid = *master.flexMaster;
        pick(master.cboSearch, QStringLiteral("Employee"));
        QTest::keyClicks(master.txtsearch, QStringLiteral("me"));
        QCOMPARE(grid.TextMatrix(grid.Row(), 4), QStringLiteral("Meera Nair"));
        QCOMPARE(grid.Row(), 4);  // the first of the two, in ascending order
        // Nothing matches: the row stays.
        QTest::keyClicks(master.txtsearch, QStringLiteral("x"));
        QCOMPARE(grid.Row(), 4);
    }

    void searchWithoutColumnOrTextDoesNothing() {
        RegisterFixture fixture;
        addClaims(fixture);
        FrmMaster& master = fixture.openShown();
        const QStringList before = gridColumn(*master.flexMaster, 0);
        QTest::keyClicks(master.txtsearch, QStringLiteral("RB"));
        QCOMPARE(gridColumn(*master.flexMaster, 0), before);
        master.txtsearch->clear();
        pick(master.cboSearch, QStringLiteral("Claim No"));
        QTest::keyClicks(master.txtsearch, QStringLiteral("  "));
        QCOMPARE(gridColumn(*master.flexMaster, 0), before);
    }

    void tooltipShowsTheCellUnderTheMouse() {
        RegisterFixture fixture;
        addClaims(fixture);
        FrmMaster& master = fixture.openShown();
        FlexGrid& grid = *master.flexMaster;
        const QPoint at = grid.visualRect(grid.model()->index(0, 2)).center();
        QMouseEvent move(QEvent::MouseMove, at, grid.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &move);
        QCOMPARE(grid.toolTip(), grid.TextMatrix(1, 2));
    }

    void deleteKeyAsksForTheCurrentClaim() {
        RegisterFixture fixture;
        addClaims(fixture);
        FrmMaster& master = fixture.openShown();
        FlexGrid& grid = *master.flexMaster;
        grid.setRow(rowOf(grid, QStringLiteral("RB/1")));
        const QString claim = grid.TextMatrix(grid.Row(), 0);
        QCOMPARE(claim, QStringLiteral("10"));
        const auto question = answerNextMessageBox(QMessageBox::No);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QVERIFY(question->shown);
        QCOMPARE(question->text, QStringLiteral("Are you sure you want to delete Entry - ") + claim + QLatin1Char('?'));
        QVERIFY(fixture.writes().isEmpty());

        // With Delete disabled the key does nothing.
        master.CmdDelete->setEnabled(false);
        const auto none = answerNextMessageBox(QMessageBox::No);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QTest::qWait(100);
        QVERIFY(!none->shown);
        closeAllWindows();
    }

    void enterNeedsEditAndCtrlEnterNeedsNew() {
        RegisterFixture fixture;
        fixture.db.exec(QStringLiteral("DELETE FROM puserrights"));
        fixture.setContext(1);  // no rights row for user 1: New and Edit off
        addClaims(fixture);
        FrmMaster& master = fixture.openShown();
        QTest::keyClick(master.flexMaster, Qt::Key_Return);
        QTest::keyClick(master.flexMaster, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(Context::instance().strMode, QString());
        QVERIFY(master.isVisible());
    }

    void ctrlDMovesTheFocusToTheGrid() {
        RegisterFixture fixture;
        FrmMaster& master = fixture.openShown();
        QApplication::setActiveWindow(&master);
        QVERIFY(QTest::qWaitForWindowActive(&master));
        master.txtsearch->setFocus();
        QTRY_VERIFY(master.txtsearch->hasFocus());
        QTest::keyClick(master.txtsearch, Qt::Key_D, Qt::ControlModifier);
        QTRY_VERIFY(master.flexMaster->hasFocus());
        // Enter in the frame's controls moves on like Tab.
        master.cboColNames->setFocus();
        QTRY_VERIFY(master.cboColNames->hasFocus());
        QTest::keyClick(master.cboColNames, Qt::Key_Return);
        QTRY_VERIFY(master.cboSearch->hasFocus());
        QVERIFY(master.isVisible());
    }
};

QTEST_MAIN(TestFrmMasterBrowse)
#include "tst_frmmaster_browse.moc"
