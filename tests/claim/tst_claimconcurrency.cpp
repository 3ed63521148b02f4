// Several processes saving new claims into one database file at the same
// moment each get their own claim number and claim ID. The test binary runs
// itself as the saving processes ("--save-one-claim").
#include "claimfixture.h"

#include "claim/frmreimbursement.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ZQ5Reimbursement;

namespace {

constexpr int savers = 3;
const QString saveMode = QStringLiteral("--save-one-claim");

void touch(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

// One saving process: the register on the shared file, a new claim filled
// in, then, once every saver is ready, OK. Exit code 0 when it was saved.
int saveOneClaim(const QString& databasePath, const QString& readyFile, const QString& goFile) {
    auto connection = std::make_shared<adodb::Connection>();
    connection->Open(QStringLiteral("Provider=SQLite;Data Source=") + databasePath);
    Context& context = Context::instance();
    context.setConnection(connection);
    context.gintUserID = ClaimFixture::userId;
    context.gintCompanyID = ClaimFixture::company;
    context.glngInterfaceID = ClaimFixture::interfaceId;
    context.gstrMsgboxTitle = ClaimFixture::title;
    context.gdtProcessDate = ClaimFixture::processDate;
    FrmMaster& register_ = FrmMaster::instance(context);
    register_.show();

    bool saved = false;
    duringModal(
        QStringLiteral("frmReimbursement"),
        [&](QWidget* dialog) {
            auto& window = *qobject_cast<frmReimbursement*>(dialog);
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{"P1", "100"}});
            touch(readyFile);
            while (!QFile::exists(goFile))
                QTest::qWait(5);
            // A failed save shows its error; answer it and say what it was.
            MessageWatch failure;
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            saved = !window.isVisible();
            if (failure.seen().shown)
                qWarning("%s", qPrintable(failure.seen().text));
        },
        [&register_] { QTest::mouseClick(register_.cmdnew, Qt::LeftButton); });
    return saved ? 0 : 1;
}

}  // namespace

class ClaimConcurrencyTest : public QObject {
    Q_OBJECT

private slots:
    void simultaneousSavesGetDistinctNumbersAndIds() {
        ClaimFixture fixture;
        QTemporaryDir signals_;
        const QString go = signals_.filePath(QStringLiteral("go"));
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int i = 0; i < savers; ++i) {
            auto process = std::make_unique<QProcess>();
            process->setProcessChannelMode(QProcess::MergedChannels);
            process->start(QCoreApplication::applicationFilePath(),
                           {saveMode, fixture.db.path(), signals_.filePath(QStringLiteral("ready%1").arg(i)), go});
            processes.push_back(std::move(process));
        }
        for (int i = 0; i < savers; ++i)
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(signals_.filePath(QStringLiteral("ready%1").arg(i))), 120000);
        touch(go);
        for (auto& process : processes) {
            const bool finished = process->waitForFinished(60000);
            const QByteArray output = process->readAll();
            QVERIFY2(finished && process->exitCode() == 0, output.constData());
        }

        const QStringList saved = fixture.db.rows(QStringLiteral(
            "select rhreimburseid, rhreimburseno from pReimburseHeader where rhreimburseid > 40 order by rhreimburseid"));
        QCOMPARE(saved, QStringList({"41|RB11", "42|RB12", "43|RB13"}));
        QCOMPARE(fixture.db.rows(QStringLiteral("select rdreimburseid, rdbillno from pReimbursedetail"
                                                " where rdreimburseid > 40 order by rdreimburseid")),
                 QStringList({"41|P1", "42|P1", "43|P1"}));
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments.at(1) == saveMode)
        return saveOneClaim(arguments.at(2), arguments.at(3), arguments.at(4));
    ClaimConcurrencyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_claimconcurrency.moc"
