// The error log beside the library, the component's folder and the help file.
#include "shell/basreimbursement.h"
#include "shell/context.h"
#include "testdatabase.h"
#include "testhelpers.h"
#include "messageanswers.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QUuid>
#include <QtTest>

using namespace ZQ5Reimbursement;

// Stands in for the desktop's viewer: records the files it is asked to open.
class HelpViewer : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class ErrorLogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    Context& context = Context::instance();

    // The log's line that holds `marker`, with its line end; empty when none does.
    static QByteArray logLineWith(const QString& marker) {
        QFile log(errorLogPath());
        if (!log.open(QIODevice::ReadOnly))
            return {};
        const QByteArray content = log.readAll();
        const qsizetype at = content.indexOf(marker.toUtf8());
        if (at < 0)
            return {};
        const qsizetype start = content.lastIndexOf('\n', at) + 1;
        const qsizetype end = content.indexOf('\n', at);
        return content.mid(start, end < 0 ? -1 : end - start + 1);
    }

    static QString uniqueText() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        db->exec(QStringLiteral("insert into pusers values (7, 'Asha Nair'), (8, 'Ravi')"));
        context.setConnection(db->connection());
        context.tables = TableNames{};
        context.tables.set(QStringLiteral("pusers"), QStringLiteral("pusers"));
        context.gstrMsgboxTitle = QStringLiteral("Payroll");
        context.strMode = QString();
    }
    void cleanup() { closeAllWindows(); }

    void lineHasNineFieldsAndEndsWithCrLf() {
        const QString description = QStringLiteral("Bad thing ") + uniqueText();
        MessageWatch seen;
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        WriteErrorLog(QStringLiteral("frmcancell"), 7, QStringLiteral("Cmdok_Click "), QStringLiteral("E"), 3704,
                      QStringLiteral("Provider"), description, true);
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);

        QCOMPARE(db->statementsStartingWith(QStringLiteral("select username")),
                 QStringList{QStringLiteral("select username from pusers where userid=7")});
        const QByteArray line = logLineWith(description);
        QVERIFY(line.endsWith("\r\n"));
        const QString text = QString::fromUtf8(line.chopped(2));
        const QString head = QStringLiteral("frmcancell:ZQ5Reimbursement:3704:Provider:") + description + QLatin1Char(':');
        const QString tail = QStringLiteral(":Asha Nair:Cmdok_Click :E");
        QVERIFY2(text.startsWith(head) && text.endsWith(tail), qPrintable(text));
        const QString stamp = text.mid(head.size(), text.size() - head.size() - tail.size());
        const QDateTime when = QDateTime::fromString(stamp, QStringLiteral("dd/MM/yyyy hh:mm:ss"));
        QVERIFY2(when.isValid(), qPrintable(stamp));
        QVERIFY(when >= before && when <= after);
        QCOMPARE(text.count(QLatin1Char(':')), 8 + 2);  // eight separators and the time's two

        QVERIFY(seen.seen().shown);
        QCOMPARE(seen.seen().text, description);
        QCOMPARE(seen.seen().title, QStringLiteral("Payroll"));
        QCOMPARE(seen.seen().icon, QMessageBox::Warning);
        QCOMPARE(seen.seen().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    // Error number 0, or the flag off: the line is written, no message comes up.
    void loggedButNotShown_data() {
        QTest::addColumn<long>("number");
        QTest::addColumn<bool>("show");
        QTest::newRow("number zero") << 0L << true;
        QTest::newRow("flag off") << 5L << false;
    }
    void loggedButNotShown() {
        QFETCH(long, number);
        QFETCH(bool, show);
        const QString description = uniqueText();
        MessageWatch none;
        WriteErrorLog(QStringLiteral("FrmMaster"), 8, QStringLiteral("Form_Load "), QString(), number,
                      QStringLiteral("src"), description, show);
        QCOMPARE(none.count(), 0);
        QVERIFY(QString::fromUtf8(logLineWith(description)).contains(QStringLiteral(":Ravi:Form_Load :\r\n")));
    }

    void caughtErrorTakesUserAndModeFromTheContext() {
        context.gintUserID = 8;
        context.strMode = QStringLiteral("N");
        const QString description = uniqueText();
        MessageWatch seen;
        WriteErrorLog(QStringLiteral("frmReimbursement"), QStringLiteral("GenerateReimbursement"),
                      adodb::Error(13, QStringLiteral("VBA"), description));
        QVERIFY(seen.seen().shown);
        QVERIFY(QString::fromUtf8(logLineWith(description))
                    .startsWith(QStringLiteral("frmReimbursement:ZQ5Reimbursement:13:VBA:") + description));
        QVERIFY(QString::fromUtf8(logLineWith(description)).endsWith(QStringLiteral(":Ravi:GenerateReimbursement:N\r\n")));
    }

    void unreachableDatabaseStillLogsAndShows() {
        db->failStatementsContaining(QStringLiteral("username"));
        const QString description = uniqueText();
        MessageWatch seen;
        WriteErrorLog(QStringLiteral("FrmMaster"), 7, QStringLiteral("Form_Load "), QString(), 3709,
                      QStringLiteral("ADODB.Connection"), description, true);
        QVERIFY(seen.seen().shown);
        QCOMPARE(seen.seen().text, description);
        QVERIFY(QString::fromUtf8(logLineWith(description)).endsWith(QStringLiteral("::Form_Load :\r\n")));
    }

    // A log that cannot be written (here: a folder stands in its place) costs
    // the line, never the message, and raises nothing into the caller's handler.
    void unwritableLogStillShowsTheMessage() {
        const QString kept = errorLogPath() + QStringLiteral(".kept");
        QFile::remove(kept);
        QFile::rename(errorLogPath(), kept);
        QVERIFY(QDir().mkdir(errorLogPath()));
        const QString description = uniqueText();
        MessageWatch seen;
        bool raised = false;
        try {
            WriteErrorLog(QStringLiteral("frmcancell"), 7, QStringLiteral("Cmdok_Click "), QString(), 5,
                          QStringLiteral("Provider"), description, true);
        } catch (...) {
            raised = true;
        }
        QDir().rmdir(errorLogPath());
        QFile::rename(kept, errorLogPath());
        QVERIFY(!raised);
        QVERIFY(seen.seen().shown);
        QCOMPARE(seen.seen().text, description);
    }

    void exceptionsBecomeErrors() {
        const adodb::Error original(3021, QStringLiteral("ADODB.Recordset"), QStringLiteral("No current record"));
        const adodb::Error same = toError(original);
        QCOMPARE(same.Number(), 3021L);
        QCOMPARE(same.Source(), QStringLiteral("ADODB.Recordset"));
        QCOMPARE(same.Description(), QStringLiteral("No current record"));

        const adodb::Error other = toError(std::out_of_range("column 6 is out of range"));
        QVERIFY(other.Number() != 0);
        QCOMPARE(other.Description(), QStringLiteral("column 6 is out of range"));
    }

    void helpFileIsBesideTheLibraryAndF1OpensIt() {
        HelpViewer viewer;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
        SetHelpFile();
        SetHelpFile();
        QCOMPARE(helpFile(), componentFolder() + QStringLiteral("/Help/helpfile.hlp"));
        QVERIFY(QFile::exists(helpFile()));

        QLineEdit field;
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        QTest::keyClick(&field, Qt::Key_F1);
        QCOMPARE(viewer.opened, QList<QUrl>{QUrl::fromLocalFile(helpFile())});

        qApp->setProperty("helpFile", componentFolder() + QStringLiteral("/Help/missing.hlp"));
        QTest::keyClick(&field, Qt::Key_F1);
        QCOMPARE(viewer.opened.size(), 1);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }
};

QTEST_MAIN(ErrorLogTest)
#include "test_errorlog.moc"
