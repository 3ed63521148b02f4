// The claim voucher written as PDF and read back with poppler's pdftotext:
// on its own rows, through the demo host (shipped or a site's layout) and
// saved from the register's preview.
#include "register/claimreport.h"
#include "register/frmmaster.h"
#include "testhelpers.h"
#include "windowfixture.h"

#include <QFileDialog>
#include <QProcess>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

using namespace ZQ5Reimbursement;

namespace {

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

class VoucherTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
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

QTEST_MAIN(VoucherTest)
#include "tst_voucher.moc"
