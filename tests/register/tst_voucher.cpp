// The claim voucher written as PDF from the shipped report file and read back
// with poppler's pdftotext; faulty report files; the demo host's --pdf.
#include "register/claimreport.h"
#include "testdatabase.h"

#include <QProcess>
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
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<int>("pages");
        const QStringList live{"Reimbursement", "RB/1", "10/05/2026", "Anita Rao", "Bala", "Medical",
                               "Indian Rupee (Rs.)", "Dental", "500.00", "120.50", "620.50",
                               "5000.00", "300.00", "4079.50", "Claimant", "Approver", "Accounts"};
        QTest::newRow("live claim, A4") << 1 << int(QPageSize::A4) << live << QStringList{"CANCELLED"} << 1;
        QTest::newRow("live claim, Letter") << 1 << int(QPageSize::Letter) << live << QStringList{"CANCELLED"} << 1;
        // Its own lines are left out of utilized (920.50 = claims 1 and 2), and it takes nothing.
        QTest::newRow("cancelled claim") << 3 << int(QPageSize::A4)
                                         << QStringList{"CANCELLED", "Reason: Bill paid twice", "920.50", "4079.50"}
                                         << QStringList{} << 1;
        QTest::newRow("sixty lines") << 4 << int(QPageSize::A4) << QStringList{"600.00", "No eligibility rule"}
                                     << QStringList{"Limit"} << 2;
        QTest::newRow("markup characters") << 5 << int(QPageSize::A4)
                                           << QStringList{"Fish & <Chips> \"Co\"", "Tea & <biscuits> 'quoted'",
                                                          "<b>&amp;"}
                                           << QStringList{"&lt;", "&quot;", "&#"} << 1;
    }

    void voucherText() {
        QFETCH(int, claimId);
        QFETCH(int, pageSize);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, absent);
        QFETCH(int, pages);
        TestDatabase db;
        db.exec(QStringLiteral(
            "INSERT INTO pusers VALUES (5, 'Asha');"
            "INSERT INTO pemployee (eempid, ecompanyid, ename) VALUES (1, 1, 'Anita Rao'), (2, 1, 'Bala'),"
            " (3, 1, 'Fish & <Chips> \"Co\"');"
            "INSERT INTO preimbursementmaster VALUES (1, 'Medical', 1);"
            "INSERT INTO pcurrencymaster VALUES (1, 1, 'Indian Rupee', 'Rs.');"
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

        const QString info = run(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(pageSize == QPageSize::A4 ? QLatin1String("(A4)") : QLatin1String("(letter)")),
                 qPrintable(info));
        const QString text = pdfText(pdf);
        const QStringList pageTexts = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pageTexts.size(), pages);
        for (int page = 1; page <= pages; ++page) {
            const QString& onPage = pageTexts[page - 1];
            QVERIFY2(onPage.contains(QStringLiteral("page %1 of %2").arg(page).arg(pages)), qPrintable(onPage));
            QVERIFY(onPage.contains(QLatin1String("Sl No.")) && onPage.contains(QLatin1String("Bill No.")));
            QVERIFY(onPage.contains(QLatin1String("Printed by Asha on ") +
                                    QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));
        }
        for (const QString& bill :
             db.rows(QStringLiteral("SELECT rdbillno FROM pReimbursedetail WHERE rdreimburseid = %1").arg(claimId)))
            QVERIFY2(text.count(bill) == 1, qPrintable(bill));
        for (const QString& expected : shown)
            QVERIFY2(text.contains(expected), qPrintable(expected + QLatin1String(" in ") + text));
        for (const QString& unexpected : absent)
            QVERIFY2(!text.contains(unexpected), qPrintable(unexpected));
    }

    // A report file that cannot be used is named in the error; comments hide placeholders.
    void faultyReportFile_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << QString() << "was not found";
        QTest::newRow("empty") << " \n" << "line 1: the file is empty";
        QTest::newRow("unclosed block") << "<p>\n{{#lines}}{{billno}}</p>" << "line 2: {{#lines}} is not closed";
        QTest::newRow("stray close") << "{{#lines}}\n{{/line}}" << "line 2: {{/line}} closes no open {{#line}}";
        QTest::newRow("not a placeholder") << "{{bill no}}" << "{{bill no}} is not a placeholder";
        QTest::newRow("unended placeholder") << "{{claimno" << "\"{{\" without \"}}\"";
        QTest::newRow("page part in a block") << "{{#lines}}{{#pagefooter}}{{/pagefooter}}{{/lines}}"
                                              << "{{#pagefooter}} belongs at the top";
        QTest::newRow("unknown field") << "<p>{{claimnumber}}</p>" << "line 1: there is no field {{claimnumber}}";
        QTest::newRow("commented out") << "<!-- {{#oops}} -->{{#pageheader}}{{claimno}}{{/pageheader}}" << "";
    }

    void faultyReportFile() {
        QFETCH(QString, layout);
        QFETCH(QString, problem);
        const QString path = dir.filePath(QStringLiteral("layout-%1.html").arg(QTest::currentDataTag()));
        QFile file(path);
        if (!layout.isNull())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(layout.toUtf8()) >= 0);
        file.close();
        QString description;
        try {
            ReportPrinter(ReportLayout::fromFile(path), ReportFields{{{QStringLiteral("claimno"), QStringLiteral("1")}}, {}});
        } catch (const adodb::Error& error) {
            description = error.Description();
        }
        QVERIFY2(problem.isEmpty() ? description.isEmpty() : description.contains(path) && description.contains(problem),
                 qPrintable(description));
    }

    // The host as a process, on the demo database, with the shipped file or
    // with a site's own one beside a copy of the library.
    void voucherThroughTheHost_data() {
        QTest::addColumn<QString>("claim");
        QTest::addColumn<QString>("siteLayout");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("shipped voucher") << "3" << QString() << 0 << "CANCELLED\nReason: Duplicate bill";
        QTest::newRow("unknown claim") << "99" << QString() << 1 << "No claim 99 to report";
        QTest::newRow("site's own file") << "1" << "<p>Site voucher {{claimno}} of {{employee}}</p>" << 0
                                         << "Site voucher RB1 of Anita Rao";
        QTest::newRow("site's faulty file") << "1" << "<p>{{#lines}}</p>" << 1 << "is not a valid layout";
    }

    void voucherThroughTheHost() {
        QFETCH(QString, claim);
        QFETCH(QString, siteLayout);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (!siteLayout.isNull()) {
            const QString site = dir.filePath(QStringLiteral("site-%1").arg(QTest::currentDataTag()));
            QVERIFY(QDir().mkpath(site + QStringLiteral("/Reports")));
            QVERIFY(QFile::copy(QStringLiteral(ZQ5_LIBRARY_PATH), site + QStringLiteral("/libZQ5Reimbursement.so")));
            QFile file(site + QStringLiteral("/Reports/rptReimbursement.html"));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(siteLayout.toUtf8()) > 0);
            environment.insert(QStringLiteral("LD_LIBRARY_PATH"), site);
        }
        const QString pdf = dir.filePath(QStringLiteral("host-%1.pdf").arg(QTest::currentDataTag()));
        int status = -1;
        const QString output = run(QStringLiteral(ZQ5DEMO_PATH),
                                   {QStringLiteral("--database"), dir.filePath(QStringLiteral("demo.db")),
                                    QStringLiteral("--report"), claim, QStringLiteral("--pdf"), pdf},
                                   &status, environment);
        QCOMPARE(status, exitCode);
        QCOMPARE(QFile::exists(pdf), exitCode == 0);
        const QString shown = exitCode == 0 ? pdfText(pdf) : output;
        QVERIFY2(shown.contains(expected), qPrintable(shown));
        QCOMPARE(shown.contains(QLatin1String("Claimant")), exitCode == 0 && siteLayout.isNull());
    }
};

QTEST_MAIN(VoucherTest)
#include "tst_voucher.moc"
