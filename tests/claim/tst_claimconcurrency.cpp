// Processes saving new claims into one database file at the same moment each
// get their own claim number and ID, with their lines under their own header.
// The test binary runs itself as the saving processes.
#include "windowfixture.h"

#include "claim/frmreimbursement.h"
#include "shell/context.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <cstdio>

using namespace ZQ5Reimbursement;

namespace {

// One saver: the register on a file of its own, the claim window on the shared
// file, filled in; says "ready", presses OK once told to, saying "pressed" just
// before. Exit code 0 when the claim was saved.
int saveOneClaim(const QString& databasePath, const QString& name) {
    WindowFixture fixture;
    fixture.openRegister();
    auto shared = std::make_shared<adodb::Connection>();
    shared->Open("Provider=SQLite;Data Source=" + databasePath);
    Context::instance().setConnection(shared);
    const auto say = [](const char* word) {
        std::puts(word);
        std::fflush(stdout);
    };
    bool saved = false;
    fixture.onNewClaim([&](frmReimbursement& window) {
        chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
        addLines(window, {{name, "100"}});
        window.txtremark->setPlainText(name);
        say("ready");
        char go[8];
        if (!std::fgets(go, sizeof go, stdin))
            return;
        say("pressed");
        QTest::mouseClick(window.cmdOk, Qt::LeftButton);
        saved = !window.isVisible();
    });
    return saved ? 0 : 1;
}

}  // namespace

class ClaimConcurrencyTest : public QObject {
    Q_OBJECT

private slots:
    void simultaneousSavesGetDistinctNumbersAndIds() {
        WindowFixture fixture;
        const QStringList names{"P0", "P1", "P2"};
        std::vector<std::unique_ptr<QProcess>> savers;
        for (const QString& name : names) {
            savers.push_back(std::make_unique<QProcess>());
            savers.back()->start(QCoreApplication::applicationFilePath(), {"--save", fixture.db.path(), name});
        }
        for (auto& saver : savers)
            QVERIFY(saver->waitForReadyRead(120000) && saver->readLine() == "ready\n");
        // Holding the write lock until every saver has pressed OK makes their saves overlap.
        fixture.db.connection()->BeginTrans();
        fixture.db.connection()->Execute(QStringLiteral("UPDATE pSettings SET NoOfPreviousDays = 0"));
        for (auto& saver : savers)
            saver->write("go\n");
        for (auto& saver : savers)
            QVERIFY(saver->waitForReadyRead(60000) && saver->readLine() == "pressed\n");
        fixture.db.connection()->CommitTrans();
        for (auto& saver : savers)
            QVERIFY2(saver->waitForFinished(60000) && saver->exitCode() == 0, saver->readAllStandardError().constData());
        // Each line sits under the header its saver wrote.
        QCOMPARE(fixture.db.rows(QStringLiteral(
                     "select h.rhreimburseid, h.rhreimburseno, h.rhremarks = d.rdbillno from pReimburseHeader h"
                     " join pReimbursedetail d on d.rdCompanyId = h.rhcompanyid and d.rdreimburseid = h.rhreimburseid"
                     " where h.rhreimburseid > 40 order by 1")),
                 QStringList({"41|RB11|1", "42|RB12|1", "43|RB13|1"}));
        QCOMPARE(fixture.db.rows(QStringLiteral("select rhremarks from pReimburseHeader where rhreimburseid > 40 order by 1")),
                 names);
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--save"))
        return saveOneClaim(arguments.at(2), arguments.at(3));
    ClaimConcurrencyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_claimconcurrency.moc"
