// The register as a clerk meets it: the listing and its cut-off, the grid's
// layout from the database, bad settings, rights, sort, search, keys, rows
// brought in after a save, the claim voucher; and its grid on its own.
#include "windowfixture.h"

#include "register/claimlistmodel.h"
#include "register/claimreport.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "register/textarena.h"
#include "shell/basreimbursement.h"
#include "shell/context.h"
#include "testhelpers.h"

#include <QtTest>
#include <QtWidgets>

using namespace ZQ5Reimbursement;

namespace {

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

QStringList gridColumn(const FlexGrid& grid, int col) {
    QStringList cells;
    for (int row = 1; row < grid.Rows(); ++row)
        cells << grid.TextMatrix(row, col);
    return cells;
}


QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        process.kill();
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

QString pdfText(const QString& pdf) { return run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}); }

}  // namespace

class RegisterTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void cleanup() { closeAllWindows(); }

    void listsTheCompanysClaimsFromTheCutOff_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<QDate>("processDate");
        QTest::addColumn<QStringList>("claims");
        const QStringList all{"17", "18", "19", "20", "21", "22", "23"};
        QTest::newRow("no days: all dates") << 0 << QDate(2024, 3, 15) << all;
        QTest::newRow("negative days: all dates") << -5 << QDate(2024, 3, 15) << all;
        QTest::newRow("30 days") << 30 << QDate(2024, 3, 15) << QStringList({"21", "22", "23"});
        QTest::newRow("one day across 29 February") << 1 << QDate(2024, 3, 1) << QStringList({"21", "22"});
    }
    void listsTheCompanysClaimsFromTheCutOff() {
        QFETCH(int, days);
        QFETCH(QDate, processDate);
        QFETCH(QStringList, claims);
        WindowFixture fixture;
        fixture.addClaim(22, QStringLiteral("RB4"), QStringLiteral("2024-02-29"), 2, 2, 1, {5}, 1);
        fixture.addClaim(23, QStringLiteral("RB5"), QStringLiteral("2024-02-28"), 1, 1, 1, {5});
        fixture.db.exec(QStringLiteral("UPDATE pSettings SET NoOfPreviousDays = %1").arg(days));
        fixture.openRegister(WindowFixture::userId, processDate);
        FlexGrid& grid = fixture.grid();
        QCOMPARE(sorted(gridColumn(fixture.grid(), 0)), claims);
        QVERIFY(fixture.db.statements().contains(Context::instance().strListSQL));
        // Cancelled rows red in every cell, live rows in the default colour.
        for (int row = 1; row < grid.Rows(); ++row) {
            const bool cancelled = grid.TextMatrix(row, 5) == QLatin1String("Yes");
            QCOMPARE(fixture.rowIsRed(row), cancelled);
            if (!cancelled)
                QVERIFY(!grid.model()->index(row - 1, 0).data(Qt::ForegroundRole).isValid());
        }
        // The last row selected across all columns.
        QVERIFY(grid.Row() == grid.Rows() - 1 && grid.selectionModel()->selectedIndexes().size() == 6);
        QVERIFY(fixture.writes().isEmpty());
    }

    // Whatever the stored texts, every cell reads as the listing's field text,
    // with the columns and the employees' table the database names.
    void cellsAreTheListedFieldTexts() {
        WindowFixture fixture;
        const char* dates[] = {"2004/03/05", "2004-03-05 10:30:00", "0005-01-02", "2004-02-30", "2004-03-0x"};
        for (int i = 0; i < 5; ++i)
            fixture.addClaim(30 + i, QStringLiteral("RB%1").arg(30 + i), QLatin1String(dates[i]), 1, 1, 1, {});
        fixture.db.exec(QStringLiteral("UPDATE pemployee SET ename = 'Zoë Ångström' WHERE eempid = 2;"
                                       "UPDATE pReimburseHeader SET rhreimburseno = cast(x'52ff42' as text) WHERE rhreimburseid = 30;"
                                       "ALTER TABLE pemployee RENAME TO hr_staff;"
                                       "UPDATE linktable SET linktablename = 'hr_staff' WHERE tablename = 'pemployee'"));
        // More claims than a 16-bit row counter can count.
        fixture.db.exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 100 UNION ALL SELECT i + 1 FROM n WHERE i < 33099) "
            "INSERT INTO pReimburseHeader (rhreimburseid, rhcompanyid, rhreimburseno, rhdate, rhClaimEmpID,"
            " rhrtypeid, rhTotalAmt, rhCancelled) SELECT i, 3, 'RB' || i, '2024-03-01', 1, 1, 10, 0 FROM n"));
        fixture.openRegister();
        const QStringList expected = TestDatabase::rowsOf(fixture.db.connection(), Context::instance().strListSQL);
        QCOMPARE(expected.size(), 33010);
        QCOMPARE(fixture.gridRows(), expected);
        QCOMPARE(fixture.grid().Row(), 33010);
        QVERIFY(!fixture.gridRows().filter(QStringLiteral("Zoë Ångström")).isEmpty());
        QVERIFY(Context::instance().strListSQL.contains(QLatin1String(",hr_staff pe,")));
        // The ID column is hidden and not offered.
        QCOMPARE(fixture.grid().ColWidth(0), 0);
        QCOMPARE(entries(fixture.master().cboColNames), QStringList({"Reimb. No", "Type", "Date", "Employee", "Cancelled"}));
        QCOMPARE(entries(fixture.master().cboSearch), entries(fixture.master().cboColNames));
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
        QTest::newRow("null field") << "UPDATE pemployee SET ename = NULL WHERE eempid = 2" << 94L << true;
        QTest::newRow("table unmapped") << "DELETE FROM linktable WHERE tablename = 'pemployee'" << 0L << true;
    }
    void badInputIsLoggedAndTheWindowStays() {
        QFETCH(QString, setup);
        QFETCH(long, number);
        QFETCH(bool, layoutApplied);
        WindowFixture fixture;
        fixture.db.exec(setup);
        const qint64 logOffset = errorLogSize();
        MessageWatch message;
        FrmMaster& master = fixture.openRegister();
        QCOMPARE(message.count(), 1);
        // The description and the time may hold ":" themselves; the ends are fixed.
        const QStringList lines = errorLogLinesSince(logOffset).filter(
            QRegularExpression(QStringLiteral("^FrmMaster:.*:tester:Form_Load :$")));
        QCOMPARE(lines.size(), 1);
        // The log keeps the engine's text; the clerk reads what failed and what to do.
        QVERIFY(lines[0].contains(QLatin1Char(':') + message.seen().text + QLatin1Char(':')) ||
                (number == 0 && message.seen().text.startsWith(QStringLiteral("The register could not be opened: "))));
        const long logged = lines[0].split(QLatin1Char(':')).at(2).toLong();
        QVERIFY(number != 0 ? logged == number : logged != 0);
        QCOMPARE(helpFile(), componentFolder() + QStringLiteral("/Help/helpfile.hlp"));
        // The load stopped before the rights: all buttons as created.
        QCOMPARE(fixture.buttons(), QStringLiteral("1111"));
        QCOMPARE(master.flexMaster->Cols() == 5 || master.flexMaster->Cols() == 6, layoutApplied);
        QVERIFY(fixture.writes().isEmpty());
        QPointer<FrmMaster> open(&master);
        QTest::mouseClick(master.CmdClose, Qt::LeftButton);
        QTRY_VERIFY(open.isNull());
    }

    // Delete needs its letter and a live claim on every click; Edit and Preview
    // follow the row. Without a rights row, user 1 gets nothing and any other user everything.
    void rightsAtLoadAndAfterAClickOnALiveClaim_data() {
        QTest::addColumn<QString>("rights");  // "-" for no rights row
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("atLoad");
        QTest::addColumn<QString>("afterClick");
        QTest::newRow("NEDP") << "NEDP" << 5 << "1111" << "1111";
        QTest::newRow("NEP") << "NEP" << 5 << "1101" << "1101";
        QTest::newRow("small letters") << "nedp" << 5 << "0000" << "0101";
        QTest::newRow("further letters") << "NEDUP" << 5 << "1111" << "1111";
        QTest::newRow("D only") << "xDy" << 5 << "0010" << "0111";
        QTest::newRow("no rights row, user 1") << "-" << 1 << "0000" << "0101";
        QTest::newRow("no rights row, other user") << "-" << 9 << "1111" << "1101";
        QTest::newRow("first of two rows counts") << "N;NEDP" << 5 << "1000" << "1101";
    }
    void rightsAtLoadAndAfterAClickOnALiveClaim() {
        QFETCH(QString, rights);
        QFETCH(int, user);
        QFETCH(QString, atLoad);
        QFETCH(QString, afterClick);
        WindowFixture fixture;
        fixture.db.exec(QStringLiteral("DELETE FROM puserrights"));
        if (rights != QLatin1String("-"))
            for (const QString& letters : rights.split(QLatin1Char(';')))
                fixture.db.exec(QStringLiteral("INSERT INTO puserrights VALUES (3, 5, 25, '%1')").arg(letters));
        fixture.db.exec(QStringLiteral("INSERT INTO puserrights VALUES (4, 5, 25, 'NEDP'), (3, 5, 26, 'NEDP')"));
        fixture.openRegister(std::int16_t(user));
        QCOMPARE(fixture.buttons(), atLoad);
        fixture.clickClaim(17);
        QCOMPARE(fixture.buttons(), afterClick);
    }

    void rowMovesFollowTheClaim() {
        WindowFixture fixture;
        fixture.openRegister();
        fixture.clickClaim(18);  // cancelled
        QCOMPARE(fixture.buttons(), QStringLiteral("1101"));
        FlexGrid& grid = fixture.grid();
        QTest::keyClick(&grid, grid.Row() > 1 ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(fixture.buttons(), QStringLiteral("1111"));
        // The tooltip shows the cell under the mouse.
        const QPoint at = grid.visualRect(grid.model()->index(0, 2)).center();
        QMouseEvent move(QEvent::MouseMove, at, grid.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &move);
        QCOMPARE(grid.toolTip(), grid.TextMatrix(1, 2));
        // An empty register: the click leaves New alone.
        delete Context::instance().frmMaster.data();
        fixture.db.exec(QStringLiteral("DELETE FROM pReimburseHeader"));
        fixture.openRegister();
        QCOMPARE(fixture.buttons(), QStringLiteral("1101"));
        QTest::mouseClick(fixture.grid().viewport(), Qt::LeftButton, {},
                          fixture.grid().visualRect(fixture.grid().model()->index(0, 1)).center());
        QCOMPARE(fixture.buttons(), QStringLiteral("1000"));
    }

    void sortOnAColumn_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<int>("col");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("employee ascending") << "Employee" << false << 4
                                            << QStringList({"Asha", "Asha", "Asha", "Asha", "Bala"});
        QTest::newRow("type descending") << "Type" << true << 2
                                         << QStringList({"Travel", "Travel", "Travel", "Travel", "Phone"});
        // A date caption sorts on the claim number.
        QTest::newRow("date caption") << "Date" << false << 1 << QStringList({"RB1", "RB10", "RB3", "RB9", "XY99"});
    }
    void sortOnAColumn() {
        QFETCH(QString, caption);
        QFETCH(bool, descending);
        QFETCH(int, col);
        QFETCH(QStringList, cells);
        WindowFixture fixture;
        FrmMaster& master = fixture.openRegister();
        fixture.clickClaim(18);  // cancelled: Delete off
        if (descending)
            QTest::mouseClick(master.optDescend, Qt::LeftButton);
        choose(master.cboColNames, caption);
        QCOMPARE(gridColumn(fixture.grid(), col), cells);
        QCOMPARE(fixture.grid().Row(), 5);
        QCOMPARE(fixture.grid().Col(), 0);
        // The buttons stay those of the row before, until the current cell moves.
        QCOMPARE(fixture.buttons(), QStringLiteral("1101"));
        // A new order clears the column; nothing moves until a column is picked again.
        QTest::mouseClick(descending ? master.optAscend : master.optDescend, Qt::LeftButton);
        QCOMPARE(master.cboColNames->currentIndex(), -1);
        QCOMPARE(gridColumn(fixture.grid(), col), cells);
    }

    void searchFindsTheFirstMatch_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("claim");  // 0: the row stays
        QTest::newRow("text in capitals") << "Employee" << "ba" << 20;
        QTest::newRow("text, no match") << "Employee" << "zz" << 0;
        QTest::newRow("number column") << "ID" << "19" << 19;
        QTest::newRow("no column") << "" << "RB" << 0;
        QTest::newRow("blanks only") << "Reimb. No" << "  " << 0;
    }
    void searchFindsTheFirstMatch() {
        QFETCH(QString, caption);
        QFETCH(QString, typed);
        QFETCH(int, claim);
        WindowFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE ptablecolumns SET ColumnLength = 2 WHERE columnid = 1"));
        FrmMaster& master = fixture.openRegister();
        fixture.clickClaim(18);
        const QStringList before = gridColumn(fixture.grid(), 0);
        const int rowBefore = fixture.grid().Row();
        if (!caption.isEmpty())
            choose(master.cboSearch, caption);
        QTest::keyClicks(master.txtsearch, typed);
        QCOMPARE(fixture.grid().Row(), claim ? fixture.rowOf(claim) : rowBefore);
        if (claim) {
            QCOMPARE(fixture.grid().selectionModel()->selectedIndexes().size(), 6);
            QCOMPARE(fixture.buttons(), QStringLiteral("1111"));  // a live claim with the D right
        }
        // A search leaves the rows sorted on its column; without one nothing moves.
        if (!caption.isEmpty() && !typed.trimmed().isEmpty()) {
            const QStringList keys = gridColumn(fixture.grid(), master.cboSearch->currentData().toInt());
            QCOMPARE(keys, sorted(keys));
        } else {
            QCOMPARE(gridColumn(fixture.grid(), 0), before);
        }
    }

    void keysReachTheCommandsTheyMayReach() {
        WindowFixture fixture;
        FrmMaster& master = fixture.openRegister();
        FlexGrid& grid = fixture.grid();
        fixture.clickClaim(17);
        {
            MessageWatch no(QMessageBox::No);
            QTest::keyClick(&grid, Qt::Key_Delete);
            QCOMPARE(no.texts(), QStringList{QStringLiteral("Are you sure you want to delete Entry - 17?")});
        }
        // With Delete, Edit and New off the keys do nothing: no box, no window.
        for (QPushButton* button : {master.CmdDelete, master.CmdEdit, master.cmdnew})
            button->setEnabled(false);
        QTest::keyClick(&grid, Qt::Key_Delete);
        QTest::keyClick(&grid, Qt::Key_Return);
        QTest::keyClick(&grid, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(Context::instance().strMode, QString());
        QVERIFY(fixture.writes().isEmpty());
        // Ctrl+D goes to the grid; Enter in the frame's controls moves on like Tab.
        QApplication::setActiveWindow(&master);
        QVERIFY(QTest::qWaitForWindowActive(&master));
        master.txtsearch->setFocus();
        QTRY_VERIFY(master.txtsearch->hasFocus());
        QTest::keyClick(master.txtsearch, Qt::Key_D, Qt::ControlModifier);
        QTRY_VERIFY(grid.hasFocus());
        master.cboColNames->setFocus();
        QTRY_VERIFY(master.cboColNames->hasFocus());
        QTest::keyClick(master.cboColNames, Qt::Key_Return);
        QTRY_VERIFY(master.cboSearch->hasFocus());
    }

    void savedClaimsAreBroughtIntoTheRegister() {
        WindowFixture fixture;
        fixture.db.exec(QStringLiteral("UPDATE pSettings SET NoOfPreviousDays = 30"));
        fixture.openRegister();
        const int rows = fixture.grid().Rows();
        // A claim before the cut-off is not found; nothing is added.
        fixture.addClaim(30, QStringLiteral("RB30"), QStringLiteral("2023-12-31"), 2, 2, 1, {});
        Context::instance().strMode = QStringLiteral("N");
        RefreshRegisterRow(QStringLiteral("rhreimburseid=30"), 30);
        QCOMPARE(fixture.grid().Rows(), rows);
        // A failing read is shown, not logged.
        fixture.db.failStatementsContaining(QStringLiteral("rhreimburseid=31"));
        const qint64 logOffset = errorLogSize();
        MessageWatch message;
        RefreshRegisterRow(QStringLiteral("rhreimburseid=31"), 31);
        QCOMPARE(message.seen().text, QStringLiteral("Injected fault: rhreimburseid=31"));
        QCOMPARE(message.seen().icon, QMessageBox::Information);
        QVERIFY(errorLogLinesSince(logOffset).filter(message.seen().text).isEmpty());
        QCOMPARE(fixture.grid().Rows(), rows);
        // An empty register's one row takes the first claim.
        delete Context::instance().frmMaster.data();
        fixture.db.exec(QStringLiteral("DELETE FROM pReimburseHeader"));
        fixture.openRegister();
        fixture.addClaim(32, QStringLiteral("RB32"), QStringLiteral("2024-03-10"), 2, 3, 1, {});
        RefreshRegisterRow(QStringLiteral("rhreimburseid=32"), 32);
        QCOMPARE(fixture.gridRows(), QStringList{QStringLiteral("32|RB32|Phone|10/03/2024|Bala|No")});
    }

    void arenaKeepsEveryText() {
        TextArena arena;
        const QString big(3 * 1024 * 1024, QLatin1Char('x'));  // larger than a block
        const QStringList texts{QStringLiteral("RB/1"), QString(), QStringLiteral("Zoë Ångström"),
                                QStringLiteral("emoji \U0001F600"), big, QString(200, QLatin1Char('y')),
                                QStringLiteral("after")};
        std::vector<QByteArray> utf8;
        std::vector<std::string_view> views;
        for (const QString& text : texts)
            utf8.push_back(text.toUtf8());
        for (const QByteArray& text : utf8)
            views.emplace_back(text.constData(), std::size_t(text.size()));
        // Each alone, then all as one row; UTF-8 is kept byte for byte.
        QList<TextArena::Ref> refs;
        for (const std::string_view text : views)
            refs << arena.add({&text, 1});
        const TextArena::Ref row = arena.add(views);
        for (qsizetype i = 0; i < texts.size(); ++i) {
            QCOMPARE(arena.text(refs[i]), texts[i]);
            QCOMPARE(QByteArrayView(arena.bytes(row, std::size_t(i))), QByteArrayView(utf8[std::size_t(i)]));
        }
        QCOMPARE(refs[1], TextArena::EmptyText);
        QCOMPARE(arena.add(std::vector<std::string_view>(3)), TextArena::EmptyText);
    }

    void cellsColoursAndRangeErrors() {
        FlexGrid grid;
        grid.setFormatString(QStringLiteral("A|B"));
        grid.setTextMatrix(1, 1, QStringLiteral("first"));
        grid.AddItem(QStringLiteral("7\tsecond"));
        QCOMPARE(gridColumn(grid, 1), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
        grid.setCellForeColor(2, 1, QColor(255, 0, 0));
        QCOMPARE(grid.model()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QVERIFY(!grid.model()->index(0, 1).data(Qt::ForegroundRole).isValid());
        QCOMPARE(grid.model()->index(1, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("second"));
        QCOMPARE(errorNumberOf([&] { grid.setTextMatrix(1, 2, QStringLiteral("x")); }), 381L);
        const std::string_view tooMany[] = {"a", "b", "x"};
        QCOMPARE(errorNumberOf([&] { grid.setRowTextMatrixUtf8(1, tooMany); }), 381L);
        const std::string_view first[] = {"Zo\xc3\xab"};
        grid.setRowTextMatrixUtf8(1, first);
        const std::string_view caption[] = {"Caption"};
        grid.setRowTextMatrixUtf8(0, caption);
        QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("Zoë"));
        QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("Caption"));
        QCOMPARE(errorNumberOf([&] { grid.TextMatrix(3, 0); }), 381L);
        QCOMPARE(errorNumberOf([&] { grid.setRow(0); }), 381L);
        grid.setRow(2);
        grid.selectCurrentRow();
        QVERIFY(grid.Row() == 2 && grid.Col() == 0 && grid.selectionModel()->selectedIndexes().size() == 2);
    }

    void genericSortOrdersNumbersByValueAndTextInCapitals() {
        FlexGrid grid;
        grid.setFormatString(QStringLiteral("K|Tag"));
        const QStringList keys{QStringLiteral("10"), QStringLiteral("b"), QStringLiteral("9"), QString(),
                               QStringLiteral("A"), QStringLiteral("100"), QStringLiteral("a")};
        grid.setTextMatrix(1, 0, keys[0]);
        grid.setTextMatrix(1, 1, QStringLiteral("0"));
        for (int i = 1; i < keys.size(); ++i)
            grid.AddItem(keys[i] + QLatin1Char('\t') + QString::number(i));
        grid.setCellForeColor(3, 0, QColor(255, 0, 0));  // the "9" row keeps its colour when moved
        grid.Sort(0, Qt::AscendingOrder);
        QCOMPARE(gridColumn(grid, 0), (QStringList{QString(), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("100"),
                                               QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(gridColumn(grid, 1).at(4), QStringLiteral("4"));  // equal keys keep their order
        QCOMPARE(grid.model()->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        grid.Sort(0, Qt::DescendingOrder);
        QCOMPARE(gridColumn(grid, 0).first(), QStringLiteral("b"));
        QCOMPARE(gridColumn(grid, 0).last(), QString());
        grid.AddItem(QStringLiteral("0\tnew"));  // appended rows go to the bottom
        QCOMPARE(gridColumn(grid, 1).last(), QStringLiteral("new"));
        grid.Sort(0, Qt::DescendingOrder);
        QCOMPARE(gridColumn(grid, 0).at(6), QStringLiteral("0"));
    }

    // The claim voucher written as PDF and read back with poppler's pdftotext: on its own rows,
    // through the demo host (shipped or a site's layout) and saved from the register's preview.
    void voucherText_data() {
        QTest::addColumn<int>("claimId");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("pages");
        // Claim 2 alone is utilized (its own lines are left out), and the balance is what claim 1 leaves.
        const QStringList live{"Reimbursement", "RB/1", "10/05/2026", "Anita Rao", "Bala", "Medical", "Indian Rupee (Rs.)",
                               "Dental", "500.00", "120.50", "620.50", "5000.00", "300.00", "4079.50", "Claimant",
                               "Approver", "Accounts"};
        QTest::newRow("live, A4") << 1 << int(QPageSize::A4) << live << 1;
        QTest::newRow("live, Letter") << 1 << int(QPageSize::Letter) << live << 1;
        // Claims 1 and 2 are utilized; a cancelled claim takes nothing.
        QTest::newRow("cancelled") << 3 << int(QPageSize::A4)
                                   << QStringList{"CANCELLED", "Reason: Bill paid twice", "920.50", "4079.50"} << 1;
        QTest::newRow("sixty lines, no rule") << 4 << int(QPageSize::A4)
                                              << QStringList{"600.00", "No eligibility rule"} << 2;
        QTest::newRow("markup characters") << 5 << int(QPageSize::A4)
                                           << QStringList{"Fish & <Chips> \"Co\"", "Tea & <biscuits> 'quoted'", "<b>&amp;"} << 1;
    }

    void voucherText() {
        QFETCH(int, claimId);
        QFETCH(int, pageSize);
        QFETCH(QStringList, shown);
        QFETCH(int, pages);
        TestDatabase db;
        db.exec(QStringLiteral(
            "INSERT INTO pusers VALUES (5, 'Asha'); INSERT INTO preimbursementmaster VALUES (1, 'Medical', 1);"
            "INSERT INTO pemployee (eempid, ecompanyid, ename) VALUES (1, 1, 'Anita Rao'), (2, 1, 'Bala'),"
            " (3, 1, 'Fish & <Chips> \"Co\"'); INSERT INTO pcurrencymaster VALUES (1, 1, 'Indian Rupee', 'Rs.');"
            "INSERT INTO preimeligibilityheader VALUES (1, 1, 1, 1, '2026-04-01', '2027-03-31', 0);"
            "INSERT INTO preimeligibilitydetail VALUES (1, 1, 1, 5000), (1, 1, 3, 900);"
            "INSERT INTO pReimburseHeader VALUES (1, 1, 'RB/1', '2026-05-10', 1, 2, 'Dental', 620.5, 0, NULL, 1, 1),"
            " (2, 1, 'RB/2', '2026-06-01', 1, 2, 'Eye', 300, 0, NULL, 1, 1),"
            " (3, 1, 'RB/3', '2026-06-02', 1, 2, 'Eye again', 300, 1, 'Bill paid twice', 1, 1),"
            " (4, 1, 'RB/4', '2026-06-03', 2, 1, 'Travel', 600, 0, NULL, 1, 1),"
            " (5, 1, 'RB/5', '2026-06-04', 3, 2, 'Tea & <biscuits> ''quoted''', 1, 0, NULL, 1, 1);"
            "INSERT INTO pReimbursedetail VALUES (1, 1, 1, 'B-100', 500, 'x'), (1, 1, 2, 'B-101', 120.5, NULL),"
            " (1, 2, 1, 'B-200', 300, NULL), (1, 3, 1, 'B-300', 300, NULL), (1, 5, 1, '<b>&amp;', 1, NULL);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60)"
            " INSERT INTO pReimbursedetail SELECT 1, 4, i, printf('B%02dX', i), 10, 'line' FROM n"));
        const QString pdf = dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
        writeClaimVoucher(db.connection(), 1, 5, QString::number(claimId), pdf, QPageSize::PageSizeId(pageSize));

        QVERIFY(run(QStringLiteral("pdfinfo"), {pdf}).contains(pageSize == QPageSize::A4 ? "(A4)" : "(letter)"));
        const QString text = pdfText(pdf);
        const QStringList pageTexts = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pageTexts.size(), pages);
        const QString printed = "Printed by Asha on " + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        for (int page = 1; page <= pages; ++page)
            for (const QString& onEvery : {QStringLiteral("page %1 of %2").arg(page).arg(pages), printed,
                                           QStringLiteral("Sl No."), QStringLiteral("Bill No.")})
                QVERIFY2(pageTexts[page - 1].contains(onEvery), qPrintable(onEvery));
        for (const QString& bill :
             db.rows(QStringLiteral("SELECT rdbillno FROM pReimbursedetail WHERE rdreimburseid = %1").arg(claimId)))
            QVERIFY2(text.count(bill) == 1, qPrintable(bill));
        for (const QString& expected : shown)
            QVERIFY2(text.contains(expected), qPrintable(expected + QLatin1String(" in ") + text));
        QCOMPARE(text.contains(QLatin1String("CANCELLED")), claimId == 3);
        QVERIFY(!text.contains(QLatin1String("&lt;")) && !text.contains(QLatin1String("&quot;")));
    }

    // siteLayout: null for the shipped file, empty for a site folder without one.
    void voucherThroughTheHost_data() {
        QTest::addColumn<QString>("claim");
        QTest::addColumn<QString>("siteLayout");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("shipped") << "3" << QString() << 0 << "CANCELLED\nReason: Duplicate bill";
        QTest::newRow("unknown claim") << "99" << QString() << 1 << "No claim 99 to report";
        QTest::newRow("site's own") << "1" << "<!-- {{#x}} --><p>Site {{claimno}} of {{employee}}</p>" << 0
                                    << "Site RB1 of Anita Rao";
        QTest::newRow("no file") << "1" << "" << 1 << "/Reports/rptReimbursement.html was not found";
        QTest::newRow("unclosed") << "1" << "<p>\n{{#lines}}</p>" << 1 << "valid layout: line 2: {{#lines}} is not closed";
        QTest::newRow("unknown field") << "1" << "{{claimnumber}}" << 1 << "line 1: there is no field {{claimnumber}}";
    }

    void voucherThroughTheHost() {
        QFETCH(QString, claim);
        QFETCH(QString, siteLayout);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (!siteLayout.isNull()) {
            const QString site = dir.filePath(QTest::currentDataTag());
            QVERIFY(QDir().mkpath(site + "/Reports") && QFile::copy(ZQ5_LIBRARY_PATH, site + "/libZQ5Reimbursement.so"));
            QFile file(site + "/Reports/rptReimbursement.html");
            QVERIFY(siteLayout.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(siteLayout.toUtf8()) > 0));
            environment.insert(QStringLiteral("LD_LIBRARY_PATH"), site);
        }
        const QString pdf = dir.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
        int status = -1;
        const QString output = run(ZQ5DEMO_PATH, {"--database", dir.filePath("demo.db"), "--report", claim, "--pdf", pdf},
                                   &status, environment);
        QCOMPARE(status, exitCode);
        QCOMPARE(QFile::exists(pdf), exitCode == 0);
        const QString shown = exitCode == 0 ? pdfText(pdf) : output;
        QVERIFY2(shown.contains(expected), qPrintable(shown));
        QCOMPARE(shown.contains(QLatin1String("Claimant")), exitCode == 0 && siteLayout.isNull());
    }

    void previewSavesAsPdfUnderTheClaimNumber() {
        WindowFixture fixture;
        FrmMaster& master = fixture.openRegister();
        fixture.selectClaim(17);
        QString proposed;
        const QString pdf = dir.filePath(QStringLiteral("saved.pdf"));
        QVERIFY(duringModal(QStringLiteral("rptReimbursement"), [&](QWidget* preview) {
            whenDialog(QStringLiteral("dlgSaveAsPdf"), [&](QWidget* widget) {
                auto* files = qobject_cast<QFileDialog*>(widget);
                proposed = QFileInfo(files->selectedFiles().value(0)).fileName();
                files->selectFile(pdf);
                qobject_cast<QDialog*>(files)->accept();
            });
            auto* save = preview->findChild<QAction*>(QStringLiteral("actSaveAsPdf"));
            QTest::mouseClick(preview->findChild<QToolBar*>()->widgetForAction(save), Qt::LeftButton);
            preview->close();
        }, [&] { QTest::mouseClick(master.cmdPrint, Qt::LeftButton); }));
        QCOMPARE(proposed, QStringLiteral("RB1.pdf"));
        QVERIFY(pdfText(pdf).contains(QLatin1String("Printed by tester on")));
        QVERIFY(fixture.writes().isEmpty());
        // Without the user's row there is no preview; the error is shown, not logged.
        fixture.db.exec(QStringLiteral("DELETE FROM pusers WHERE userid = 5"));
        const qint64 logOffset = errorLogSize();
        MessageWatch message;
        QVERIFY(!duringModal(QStringLiteral("rptReimbursement"), [](QWidget* w) { w->close(); },
                             [&] { QTest::mouseClick(master.cmdPrint, Qt::LeftButton); }));
        QCOMPARE(message.count(), 1);
        QVERIFY(errorLogLinesSince(logOffset).filter(message.seen().text).isEmpty());
    }
};

QTEST_MAIN(RegisterTest)
#include "tst_register.moc"
