// Opening the register: the listing, the grid's layout from the database,
// and what a bad setting, layout or row does to the load.
#include "registerfixture.h"

#include "register/flexgrid.h"
#include "shell/basreimbursement.h"

#include "uidriver.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace ZQ5Reimbursement;

class TestFrmMasterLoad : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeAllWindows(); }

    void successfulLoadSetsNoHelpFile() {
        RegisterFixture fixture;
        fixture.open();
        QCOMPARE(helpFile(), QString());
    }

    void windowControlsAndLayout() {
        RegisterFixture fixture;
        FrmMaster& master = fixture.open();
        QCOMPARE(master.objectName(), QStringLiteral("FrmMaster"));
        QCOMPARE(master.windowTitle(), QStringLiteral("Re-imbursement"));
        QCOMPARE(master.size(), QSize(479, 402));
        QVERIFY(master.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(Context::instance().frmMaster.data(), &master);
        QCOMPARE(master.flexMaster->geometry(), QRect(3, 0, 475, 280));
        QCOMPARE(master.fraBrowse->title(), QStringLiteral("Browse"));
        QCOMPARE(master.optAscend->geometry(), QRect(72, 13, 70, 19));
        QVERIFY(master.optAscend->isChecked());
        QCOMPARE(master.txtsearch->parentWidget(), master.fraBrowse);
        QCOMPARE(master.txtsearch->maxLength(), 50);
        QCOMPARE(master.lblsearch->text(), QStringLiteral("&Search On:"));
        QCOMPARE(master.CmdClose->geometry(), QRect(400, 357, 78, 36));
        const QList<QPair<QPushButton*, QString>> buttons{{master.cmdnew, QStringLiteral("&New")},
                                                          {master.CmdEdit, QStringLiteral("&Edit")},
                                                          {master.CmdDelete, QStringLiteral("&Delete")},
                                                          {master.cmdPrint, QStringLiteral("&Preview")},
                                                          {master.CmdClose, QStringLiteral("&Close")}};
        for (const auto& [button, caption] : buttons) {
            QCOMPARE(button->text(), caption);
            QCOMPARE(master.findChild<QPushButton*>(button->objectName()), button);
        }
        // Tab order: the buttons, the grid, then the frame's controls, round again.
        const QStringList order{QStringLiteral("cmdnew"), QStringLiteral("CmdEdit"), QStringLiteral("CmdDelete"),
                                QStringLiteral("cmdPrint"), QStringLiteral("CmdClose"), QStringLiteral("flexMaster"),
                                QStringLiteral("optAscend"), QStringLiteral("optDescend"), QStringLiteral("cboColNames"),
                                QStringLiteral("cboSearch"), QStringLiteral("txtsearch")};
        QStringList tabbed;
        for (QWidget* w = master.cmdnew->nextInFocusChain(); w != master.cmdnew; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && order.contains(w->objectName()))
                tabbed << w->objectName();
        QCOMPARE(tabbed, order.mid(1));
    }

    void listsTheCompanysClaimsWithDateCut() {
        RegisterFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE pSettings SET NoOfPreviousDays = 30 WHERE companyID = 1"));
        fixture.addClaim(1, QStringLiteral("RB/1"), QStringLiteral("2004-02-13"));
        fixture.addClaim(2, QStringLiteral("RB/2"), QStringLiteral("2004-02-14"), 12, 2);
        fixture.addClaim(3, QStringLiteral("RB/3"), QStringLiteral("2004-03-10"), 11, 1, 1);
        fixture.addClaim(4, QStringLiteral("RX/4"), QStringLiteral("2004-03-10"), 11, 3, 0, 2);  // other company
        FrmMaster& master = fixture.open();

        QCOMPARE(Context::instance().strListSQL,
                 QStringLiteral(" select rh.rhreimburseid, rh.rhreimburseNo,rm.rtypename, rh.rhdate,pe.ename, case when rh.rhcancelled=1 "
                                " then 'Yes' else 'No' end rhcancelled "
                                " from pReimburseHeader rh,pemployee pe,preimbursementmaster rm"
                                " Where rh.rhrtypeid = rm.rtypeid "
                                " And rh.rhCompanyid = pe.ecompanyid And rh.rhclaimempid = pe.eempid And rh.rhCompanyid =1"
                                " and rhdate >='20040214'"));
        QVERIFY(fixture.db.statements().contains(Context::instance().strListSQL));
        QVERIFY(fixture.db.statements().contains(QStringLiteral("select NoOfPreviousDays from pSettings where companyID=1")));
        QStringList rows = RegisterFixture::gridRows(*master.flexMaster);
        rows.sort();
        QCOMPARE(rows, (QStringList{QStringLiteral("2|RB/2|Travel|14/02/2004|John Abbot|No"),
                                    QStringLiteral("3|RB/3|Medical|10/03/2004|Meera Nair|Yes")}));

        // Cancelled rows red in every cell, live rows in the default colour.
        const QAbstractItemModel* model = master.flexMaster->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const bool cancelled = model->index(row, 5).data().toString() == QLatin1String("Yes");
            for (int col = 0; col < model->columnCount(); ++col) {
                const QVariant colour = model->index(row, col).data(Qt::ForegroundRole);
                QCOMPARE(colour.isValid(), cancelled);
                if (cancelled)
                    QCOMPARE(colour.value<QColor>(), QColor(255, 0, 0));
            }
        }
        // The last row selected across all columns.
        QCOMPARE(master.flexMaster->Row(), 2);
        QCOMPARE(master.flexMaster->Col(), 0);
        QCOMPARE(master.flexMaster->selectionModel()->selectedIndexes().size(), 6);
        QVERIFY(fixture.writes().isEmpty());
    }

    void zeroDaysListsAllDatesButNeverOtherCompanies() {
        RegisterFixture fixture;
        fixture.addClaim(1, QStringLiteral("RB/1"), QStringLiteral("1999-01-01"));
        fixture.addClaim(2, QStringLiteral("RX/2"), QStringLiteral("2004-03-01"), 11, 3, 0, 2);
        fixture.db.exec(QStringLiteral("INSERT INTO pemployee (eempid, ecompanyid, ename) VALUES (13, 2, 'Only There');"
                                       "INSERT INTO pReimburseHeader (rhreimburseid, rhcompanyid, rhreimburseno, rhdate,"
                                       " rhClaimEmpID, rhrtypeid) VALUES (3, 2, 'RX/3', '2004-03-01', 13, 3)"));
        FrmMaster& master = fixture.open();
        QCOMPARE(RegisterFixture::gridRows(*master.flexMaster),
                 QStringList{QStringLiteral("1|RB/1|Medical|01/01/1999|Meera Nair|No")});
        QCOMPARE(master.flexMaster->Rows(), 2);  // one claim in row 1, two rows in all
        QVERIFY(!Context::instance().strListSQL.contains(QLatin1String("rhdate >=")));
    }

    // Whatever the stored texts, every cell reads as the listing's field text.
    void cellsAreTheListedFieldTexts() {
        RegisterFixture fixture;
        fixture.addClaim(1, QStringLiteral("RB/1"), QStringLiteral("2004-02-29"));
        fixture.addClaim(2, QStringLiteral("RB/2"), QStringLiteral("2004/03/05"), 12, 2, 1);
        fixture.addClaim(3, QStringLiteral("RB/3"), QStringLiteral("2004-03-05 10:30:00"), 11, 1, 1);
        fixture.addClaim(4, QStringLiteral("RB/4"), QStringLiteral("0005-01-02"), 12);
        fixture.addClaim(5, QStringLiteral("RB/5"), QStringLiteral("2004-02-30"));
        fixture.db.exec(QStringLiteral("UPDATE pemployee SET ename = 'Zoë Ångström' WHERE eempid = 12;"
                                       "UPDATE pReimburseHeader SET rhreimburseno = cast(x'52ff42' as text) WHERE rhreimburseid = 4"));
        FrmMaster& master = fixture.open();

        adodb::Recordset listing;
        listing.Open(Context::instance().strListSQL, fixture.db.connection());
        QStringList expected;
        for (; !listing.isEOF(); listing.MoveNext()) {
            QStringList cells;
            for (int col = 0; col < listing.FieldCount(); ++col)
                cells << listing.Fields(col).text();
            expected << cells.join(QLatin1Char('|'));
        }
        QCOMPARE(expected.size(), 5);
        QCOMPARE(RegisterFixture::gridRows(*master.flexMaster), expected);
    }

    void emptyRegisterKeepsOneEmptyRow() {
        RegisterFixture fixture;
        FrmMaster& master = fixture.open();
        QCOMPARE(master.flexMaster->Rows(), 2);
        QCOMPARE(master.flexMaster->Row(), 1);
        QCOMPARE(RegisterFixture::gridRows(*master.flexMaster), QStringList{QStringLiteral("|||||")});
    }

    // More claims than a 16-bit row counter can count all reach the grid.
    void moreThan32767ClaimsAllLoad() {
        RegisterFixture fixture;
        fixture.db.exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 33000) "
            "INSERT INTO pReimburseHeader (rhreimburseid, rhcompanyid, rhreimburseno, rhdate, rhClaimEmpID,"
            " rhrtypeid, rhTotalAmt, rhCancelled) SELECT i, 1, 'RB' || i, '2004-03-01', 11, 1, 10, 0 FROM n"));
        FrmMaster& master = fixture.open();
        QCOMPARE(master.flexMaster->Rows(), 33001);
        QCOMPARE(master.flexMaster->Row(), 33000);
        QCOMPARE(master.flexMaster->TextMatrix(33000, 0), QStringLiteral("33000"));
    }

    void captionsWidthsAndCombosFromTheLayout() {
        RegisterFixture fixture;
        fixture.addClaim(1, QStringLiteral("RB/1"), QStringLiteral("2004-03-01"));
        FrmMaster& master = fixture.open();
        FlexGrid& grid = *master.flexMaster;
        QCOMPARE(grid.Cols(), 6);
        QStringList captions;
        for (int col = 0; col < grid.Cols(); ++col)
            captions << grid.TextMatrix(0, col);
        QCOMPARE(captions, (QStringList{QStringLiteral("ID"), QStringLiteral("Claim No"), QStringLiteral("Type"),
                                        QStringLiteral("Claim Date"), QStringLiteral("Employee"), QStringLiteral("Cancelled")}));
        QCOMPARE(grid.ColWidth(0), 0);
        QCOMPARE(grid.ColWidth(1), 1500);
        QCOMPARE(grid.ColWidth(2), 1995);  // 2000 twips, in whole pixels
        QCOMPARE(grid.ColWidth(3), 990);
        const int employeeWidth = grid.fontMetrics().horizontalAdvance(QStringLiteral("Employee") + QString(12, QLatin1Char(' ')));
        QVERIFY(grid.columnWidth(4) >= employeeWidth);
        QVERIFY(grid.columnWidth(4) > grid.columnWidth(5));
        QCOMPARE(grid.model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignLeft | Qt::AlignVCenter));
        const QStringList offered{QStringLiteral("Claim No=1"), QStringLiteral("Type=2"), QStringLiteral("Claim Date=3"),
                                  QStringLiteral("Employee=4"), QStringLiteral("Cancelled=5")};
        QCOMPARE(RegisterFixture::comboTexts(*master.cboColNames), offered);
        QCOMPARE(RegisterFixture::comboTexts(*master.cboSearch), offered);
        QCOMPARE(master.cboColNames->currentIndex(), -1);
        QCOMPARE(master.cboSearch->currentIndex(), -1);
        QVERIFY(fixture.db.statements().contains(
            QStringLiteral("select ColumnHeader,ColumnLength,columnid from ptablecolumns where tableid="
                           "(select tableid from ptables where tablename='pReimburseHeader') order by columnid")));
    }

    void physicalNamesComeFromLinktable() {
        RegisterFixture fixture;
        fixture.db.exec(QStringLiteral("ALTER TABLE pemployee RENAME TO hr_staff;"
                                       "UPDATE linktable SET linktablename = 'hr_staff' WHERE tablename = 'pemployee'"));
        fixture.addClaim(1, QStringLiteral("RB/1"), QStringLiteral("2004-03-01"));
        FrmMaster& master = fixture.open();
        QVERIFY(Context::instance().strListSQL.contains(QLatin1String("pReimburseHeader rh,hr_staff pe,")));
        QCOMPARE(master.flexMaster->TextMatrix(1, 4), QStringLiteral("Meera Nair"));
    }

    // Each bad input ends the load through the log writer: one log line, the
    // message answered, the window still open and usable, nothing written.
    void badInputIsLoggedAndTheWindowStays_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<long>("number");
        QTest::addColumn<bool>("layoutApplied");
        QTest::newRow("settings empty") << "UPDATE pSettings SET NoOfPreviousDays = NULL" << 13L << false;
        QTest::newRow("settings missing") << "DELETE FROM pSettings" << 13L << false;
        QTest::newRow("settings text") << "UPDATE pSettings SET NoOfPreviousDays = 'ten'" << 13L << false;
        QTest::newRow("settings not whole") << "UPDATE pSettings SET NoOfPreviousDays = 2.5" << 13L << false;
        QTest::newRow("settings too large") << "UPDATE pSettings SET NoOfPreviousDays = 40000" << 6L << false;
        QTest::newRow("five columns") << "DELETE FROM ptablecolumns WHERE columnid = 6" << 381L << true;
        QTest::newRow("no layout") << "DELETE FROM ptablecolumns" << 5L << false;
        QTest::newRow("length null") << "UPDATE ptablecolumns SET ColumnLength = NULL WHERE columnid = 3" << 94L << false;
        QTest::newRow("length negative") << "UPDATE ptablecolumns SET ColumnLength = -1 WHERE columnid = 3" << 5L << false;
        QTest::newRow("null field") << "UPDATE pemployee SET ename = NULL WHERE eempid = 12" << 94L << true;
        QTest::newRow("table unmapped") << "DELETE FROM linktable WHERE tablename = 'pemployee'" << 0L << true;
    }
    void badInputIsLoggedAndTheWindowStays() {
        QFETCH(QString, setup);
        QFETCH(long, number);
        QFETCH(bool, layoutApplied);
        RegisterFixture fixture;
        fixture.addClaim(1, QStringLiteral("RB/1"), QStringLiteral("2004-03-01"));
        fixture.addClaim(2, QStringLiteral("RB/2"), QStringLiteral("2004-03-02"), 12);
        fixture.db.exec(setup);
        const qsizetype linesBefore = RegisterFixture::logLines().size();
        const auto message = answerNextMessageBox();
        FrmMaster& master = fixture.open();

        QVERIFY(message->shown);
        QCOMPARE(message->icon, QMessageBox::Warning);
        QCOMPARE(message->title, QStringLiteral("Payroll"));
        // Other test programs may append to the same log meanwhile: look at this window's lines.
        QStringList lines;
        for (const QString& line : RegisterFixture::logLines().mid(linesBefore))
            if (line.startsWith(QLatin1String("FrmMaster:")) && line.contains(QLatin1Char(':') + message->text + QLatin1Char(':')))
                lines << line;
        QCOMPARE(lines.size(), 1);
        // The description and the time may hold ":" themselves; the ends are fixed.
        const QStringList fields = lines.last().split(QLatin1Char(':'));
        QCOMPARE(fields.at(fields.size() - 2), QStringLiteral("Form_Load "));
        QCOMPARE(fields.at(fields.size() - 3), QStringLiteral("Asha"));
        if (number != 0)
            QCOMPARE(fields.at(2).toLong(), number);
        else
            QVERIFY(fields.at(2).toLong() != 0);
        QCOMPARE(helpFile(), componentFolder() + QStringLiteral("/Help/helpfile.hlp"));

        // The load stopped before the rights: all buttons as created.
        for (QPushButton* button : {master.cmdnew, master.CmdEdit, master.CmdDelete, master.cmdPrint})
            QVERIFY(button->isEnabled());
        QCOMPARE(master.flexMaster->Cols() == 5 || master.flexMaster->Cols() == 6, layoutApplied);
        QVERIFY(fixture.writes().isEmpty());
        QPointer<FrmMaster> open(&master);
        QTest::mouseClick(master.CmdClose, Qt::LeftButton);
        QTRY_VERIFY(open.isNull());
    }
};

QTEST_MAIN(TestFrmMasterLoad)
#include "tst_frmmaster_load.moc"
