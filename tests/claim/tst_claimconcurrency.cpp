// Several processes saving new claims into one database file at the same
// moment each get their own claim number and ID, with their lines under their
// own header. The test binary runs itself as the saving processes.
#include "windowfixture.h"

#include "claim/frmreimbursement.h"
#include "register/frmmaster.h"
#include "shell/context.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
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
// in, then, once told to go, OK. Exit code 0 when it was saved.
int saveOneClaim(const QString& databasePath, const QString& signals_, const QString& name) {
    auto connection = std::make_shared<adodb::Connection>();
    connection->Open(QStringLiteral("Provider=SQLite;Data Source=") + databasePath);
    Context& context = Context::instance();
    context.setConnection(connection);
    context.gintUserID = WindowFixture::userId;
    context.gintCompanyID = WindowFixture::company;
    context.glngInterfaceID = WindowFixture::interfaceId;
    context.gstrMsgboxTitle = WindowFixture::title;
    context.gdtProcessDate = WindowFixture::processDate;
    FrmMaster& register_ = FrmMaster::instance(context);
    register_.show();

    bool saved = false;
    duringModal(
        QStringLiteral("frmReimbursement"),
        [&](QWidget* dialog) {
            auto& window = *qobject_cast<frmReimbursement*>(dialog);
            chooseClaimant(window, QStringLiteral("Travel"), QStringLiteral("Rupee"));
            addLines(window, {{name, "100"}});
            window.txtremark->setPlainText(name);
            touch(signals_ + QStringLiteral("/ready-") + name);
            while (!QFile::exists(signals_ + QStringLiteral("/go")))
                QTest::qWait(5);
            MessageWatch failure;
            touch(signals_ + QStringLiteral("/pressed-") + name);
            QTest::mouseClick(window.cmdOk, Qt::LeftButton);
            saved = !window.isVisible();
            if (failure.count())
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
        WindowFixture fixture;
        QTemporaryDir signals_;
        const auto signal = [&](const QString& name) { return QFile::exists(signals_.filePath(name)); };
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int i = 0; i < savers; ++i) {
            auto process = std::make_unique<QProcess>();
            process->setProcessChannelMode(QProcess::MergedChannels);
            process->start(QCoreApplication::applicationFilePath(),
                           {saveMode, fixture.db.path(), signals_.path(), QStringLiteral("P%1").arg(i)});
            processes.push_back(std::move(process));
        }
        for (int i = 0; i < savers; ++i)
            QTRY_VERIFY_WITH_TIMEOUT(signal(QStringLiteral("ready-P%1").arg(i)), 120000);
        // Holding the write lock until every saver has pressed OK makes their saves overlap.
        fixture.db.connection()->BeginTrans();
        fixture.db.connection()->Execute(QStringLiteral("UPDATE pSettings SET NoOfPreviousDays = 0"));
        touch(signals_.filePath(QStringLiteral("go")));
        for (int i = 0; i < savers; ++i)
            QTRY_VERIFY_WITH_TIMEOUT(signal(QStringLiteral("pressed-P%1").arg(i)), 60000);
        fixture.db.connection()->CommitTrans();
        for (auto& process : processes) {
            const bool finished = process->waitForFinished(60000);
            const QByteArray output = process->readAll();
            QVERIFY2(finished && process->exitCode() == 0, output.constData());
        }

        QStringList saved = fixture.db.rows(QStringLiteral(
            "select h.rhreimburseid, h.rhreimburseno, h.rhremarks, d.rdbillno from pReimburseHeader h"
            " join pReimbursedetail d on d.rdCompanyId = h.rhcompanyid and d.rdreimburseid = h.rhreimburseid"
            " where h.rhreimburseid > 40 order by h.rhreimburseid"));
        QCOMPARE(saved.size(), savers);
        QStringList owners;
        for (int i = 0; i < savers; ++i) {
            const QStringList fields = saved[i].split(QLatin1Char('|'));
            QCOMPARE(fields.mid(0, 2), QStringList({QString::number(41 + i), QStringLiteral("RB%1").arg(11 + i)}));
            QCOMPARE(fields[3], fields[2]);  // the line of the saver that wrote the header
            owners << fields[2];
        }
        owners.sort();
        QCOMPARE(owners, QStringList({"P0", "P1", "P2"}));
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
