// The shell on real rows and widgets: entry and Show, services, form helpers, error log, help file, demo database.
#include "registerrows.h"
#include "register/frmmaster.h"
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/demodatabase.h"
#include "shell/linktables.h"
#include "uidriver.h"
#include "testhelpers.h"

#include <ZQ5Reimbursement/clsReimbursement.h>

#include <QtTest>
#include <QtWidgets>

using namespace ZQ5Reimbursement;
using namespace Qt::StringLiterals;
using CommonModule::clsCommonDB;
using CommonModule::clsCommonGen;

namespace {

// A window with one control of every kind the snapshot knows, and some it ignores.
struct EntryWindow {
    QDialog window;
    QLineEdit* billNo = new QLineEdit(&window);
    QPlainTextEdit* remarks = new QPlainTextEdit(&window);
    QComboBox* employee = new QComboBox(&window);
    QCheckBox* paid = new QCheckBox(&window);
    QRadioButton* first = new QRadioButton(&window);
    QDateEdit* date = new QDateEdit(QDate(2026, 3, 15), &window);
    QTreeWidget* lines = new QTreeWidget(&window);

    EntryWindow() { employee->addItem(u"Anita"_s); employee->setCurrentIndex(-1); }
};
using Change = std::function<void(EntryWindow&)>;

// The claim numbers the modal register listed during Show, closed by its Close button; none when it never came up.
std::optional<QStringList> registerClaimsDuringShow(clsReimbursement& reimbursement) {
    QStringList claims;
    const auto read = [&claims](QWidget* window) {
        auto* master = qobject_cast<FrmMaster*>(window);
        for (int row = 1; row < master->flexMaster->Rows(); ++row)
            claims << master->flexMaster->TextMatrix(row, 1);
        QTest::mouseClick(master->CmdClose, Qt::LeftButton);
    };
    return duringModal(u"FrmMaster"_s, read, [&] { reimbursement.Show(); }) ? std::optional(claims) : std::nullopt;
}

}  // namespace

Q_DECLARE_METATYPE(Change)

class ShellTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    std::shared_ptr<clsCommonDB> commonDB;
    Context& context = Context::instance();
    QTemporaryDir dir;
    qint64 logOffset = 0;
    QList<QUrl> helpOpened;

    std::shared_ptr<clsReimbursement> component(int company) {
        auto reimbursement = createObject("ZQ5Reimbursement.clsReimbursement");
        reimbursement->setadocon(db->connection());
        reimbursement->setMsgboxTitle(u"Payroll %1"_s.arg(company));
        reimbursement->setIntinterfaceid(100 + company);
        reimbursement->setProcessDate(QDate(2026, 3, 15));
        reimbursement->setintUserID(32767);
        reimbursement->setintCompanyID(std::int16_t(company));
        return reimbursement;
    }

public slots:
    void openHelp(const QUrl& url) { helpOpened << url; }  // stands in for the desktop's viewer

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        logOffset = errorLogSize();
        db->exec(u"insert into pusers values (7, 'Asha Nair'), (8, 'Ravi')"_s);
        commonDB = createObject<clsCommonDB>("CommonModule.clsCommonDB");
        commonDB->setadocon(db->connection());
        context.setConnection(db->connection());
        context.tables = TableNames{};
        context.tables.set(u"pusers"_s, u"pusers"_s);
        context.gstrMsgboxTitle = u"Payroll"_s;
    }
    void cleanup() { closeAllWindows(); }

    void createdByProgId() {
        QVERIFY(createObject<clsCommonGen>("commonmodule.clscommongen"));
        QVERIFY(createObject<clsCommonDB>("CommonModule.clsCommonDB")
                != createObject<clsCommonDB>("CommonModule.clsCommonDB"));
        QCOMPARE(errorNumberOf([] { createComObject("CommonModule.clsCommonReports"); }), 429L);
        QVERIFY_THROWS_EXCEPTION(adodb::Error, createObject<clsCommonGen>("ZQ5Reimbursement.clsReimbursement"));
    }

    void showCopiesTheContextEachTimeAndReturnsWhenClosed() {
        addRegisterRows(*db);
        for (const auto& [company, claim] : {std::pair{1, "RB1"}, {2, "RC1"}}) {
            QCOMPARE(registerClaimsDuringShow(*component(company)), QStringList{claim});
            QVERIFY(!context.frmMaster);
            QCOMPARE(context.gintUserID, std::int16_t(32767));
            QCOMPARE(context.glngInterfaceID, 100 + company);
            QCOMPARE(context.gdtProcessDate, QDate(2026, 3, 15));
        }
        // Without a connection the register still comes up, empty, and the load's error is shown in the host's title.
        auto reimbursement = component(1);
        reimbursement->setadocon(nullptr);
        MessageWatch message;
        const auto claims = registerClaimsDuringShow(*reimbursement);
        QVERIFY(claims && claims->join(QString()).isEmpty());
        QVERIFY(message.seen().title == u"Payroll 1"_s && !message.seen().text.isEmpty());
        QCOMPARE(context.gAdoCon(), reimbursement->adocon());
        QCOMPARE(reimbursement->adocon()->State(), long(adodb::adStateClosed));
    }

    void singleValuesAndNextIds() {
        db->exec(u"insert into pSettings values (1, 30, '2,3'), (2, NULL, '5')"_s);
        commonDB->setstrTablename(u"pSettings"_s);
        for (const auto& [where, days] : {std::pair{"1", "30"}, {"2", ""}, {"9", ""}})
            QCOMPARE(commonDB->fnReturnField(u"NoOfPreviousDays"_s, u"companyID="_s + where), QString(days));
        commonDB->setstrTablename(u"pReimburseHeader"_s);
        QCOMPARE(commonDB->fnGetNextMaxNo(u"rhreimburseid"_s), 1);
        db->exec(u"insert into pReimburseHeader (rhreimburseid, rhcompanyid) values (9, 1), (5, 2)"_s);
        QCOMPARE(commonDB->fnGetNextMaxNo(u"rhreimburseid"_s), 10);
        clsCommonDB unconnected;
        unconnected.setstrTablename(u"pusers"_s);
        QCOMPARE(errorNumberOf([&] { unconnected.fnReturnField(u"username"_s); }), long(adodb::adErrInvalidConnection));
    }

    void combosAreRefilledSilentlyWithoutSelection() {
        db->exec(u"insert into pemployee (eempid, ecompanyid, ename, eActive) values "
                 "(4, 1, 'Dev', 1), (2, 1, 'Bela', 1), (3, 1, 'Old', 0), (5, 2, 'Other', 1)"_s);
        QComboBox combo;
        combo.addItem(u"stale"_s, QVariant(qlonglong(99)));
        QSignalSpy changes(&combo, &QComboBox::currentIndexChanged);
        commonDB->setstrTablename(u"pemployee"_s);
        commonDB->populateComboorList(&combo, u"eEmpId"_s, u"ename"_s, u"eCompanyID=1and eActive=1"_s);
        QCOMPARE(combo.itemData(combo.findText(u"Bela"_s)), QVariant(qlonglong(2)));
        QVERIFY(combo.count() == 2 && combo.currentIndex() == -1 && changes.isEmpty());
    }

    // The key at the caret "|" (none: all selected); the claim windows' typing drives letters, minus and points.
    void amountKeysKeepANumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("taken");
        QTest::newRow("digit before the point") << "1|2.34" << int('5') << 18 << true;
        QTest::newRow("point leaving three decimals") << "12|345" << int('.') << 18 << false;
        QTest::newRow("backspace") << "12.34|" << 8 << 18 << true;
        QTest::newRow("longer than allowed") << "1234|" << int('5') << 4 << false;
        QTest::newRow("replacing the selection") << "12.34" << int('7') << 18 << true;
    }
    void amountKeysKeepANumber() {
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(int, maxLength);
        QLineEdit box(QString(text).remove(u'|'));
        text.contains(u'|') ? box.setCursorPosition(int(text.indexOf(u'|'))) : box.selectAll();
        clsCommonGen().TextValidateNum(&box, key, maxLength, 2);
        QTEST(key != 0, "taken");
    }

    void amountsAsText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("formatted");
        QTest::addColumn<QString>("plain");
        QTest::newRow("negative") << "-3.25" << -3.25 << "-3.25" << "-3.25";
        QTest::newRow("no number") << "abc" << 0.0 << "0.00" << "0";
        QTest::newRow("point first") << ".5" << 0.5 << "0.50" << "0.5";
        QTest::newRow("leading blanks, second point") << "  1.2.3" << 1.2 << "1.20" << "1.2";
        QTest::newRow("rounded half up") << "0.1251" << 0.1251 << "0.13" << "0.1251";
        QTest::newRow("large") << "100000000000000000000" << 1e20 << "100000000000000000000.00"
                               << "100000000000000000000";
    }
    void amountsAsText() {
        QFETCH(QString, text);
        QTEST(numericValue(text), "value");
        QTEST(formatAmount(numericValue(text)), "formatted");
        QTEST(plainNumber(numericValue(text)), "plain");
    }

    void tableNamesComeFromLinktable() {
        db->exec(u"delete from linktable; insert into linktable values ('PSETTINGS', 'settings_2026'), "
                 "('pPrefix', 'old'), ('PPREFIX', 'new'), ('pusersx', 'ux'), ('ppayroll', 'p'), ('pusers', 'u')"_s);
        GetLinkTables(context, *commonDB);
        for (const auto& [logical, physical] :
             {std::pair{"pSettings", "settings_2026"}, {"PPREFIX", "new"}, {"pusers", "u"}, {"pemployee", ""}})
            QCOMPARE(context.tables[QString::fromLatin1(logical)], QString::fromLatin1(physical));
        // A NULL name or no linktable is an error.
        db->exec(u"insert into linktable values ('pemployee', NULL)"_s);
        QCOMPARE(errorNumberOf([&] { GetLinkTables(context, *commonDB); }), long(adodb::adErrInvalidUseOfNull));
        db->exec(u"drop table linktable"_s);
        QVERIFY(errorNumberOf([&] { GetLinkTables(context, *commonDB); }) != 0);
    }

    void keyFilterSeesTypedCharactersOnly() {
        QLineEdit box;
        QList<int> seen;
        installKeyPressFilter(&box, [&seen](int& key) {
            seen << key;
            KeyEnterToTab(key);
            key = key == 'x' ? 'y' : key;
        });
        QTest::keyClicks(&box, u"b-1x"_s);
        QCOMPARE(box.text(), u"b1y"_s);
        box.setCursorPosition(0);
        QTest::keyClick(&box, Qt::Key_Delete);
        QTest::keyClick(&box, Qt::Key_Left);
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.text(), u"1y"_s);
        QCOMPARE(seen, QList<int>({'b', '-', '1', 'x', 13}));
    }

    // After a snapshot of "bill", "remark", no employee, unchecked boxes: does the change count?
    void changesAfterTheSnapshot_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("changed");
        QTest::newRow("blanks around") << Change([](EntryWindow& w) { w.billNo->setText(u"\t bill  "_s); }) << false;
        QTest::newRow("letter case") << Change([](EntryWindow& w) { w.billNo->setText(u"Bill"_s); }) << true;
        QTest::newRow("combo choice") << Change([](EntryWindow& w) { w.employee->setCurrentIndex(0); }) << true;
        QTest::newRow("check box") << Change([](EntryWindow& w) { w.paid->setChecked(true); }) << true;
        QTest::newRow("grey") << Change([](EntryWindow& w) { w.paid->setCheckState(Qt::PartiallyChecked); }) << true;
        QTest::newRow("option button") << Change([](EntryWindow& w) { w.first->setChecked(true); }) << true;
        QTest::newRow("list lines") << Change([](EntryWindow& w) { new QTreeWidgetItem(w.lines, {u"1"_s}); }) << false;
    }
    void changesAfterTheSnapshot() {
        QFETCH(Change, change);
        EntryWindow w;
        // Without a snapshot, blank controls and the date picker are unchanged.
        w.date->setDate(QDate(2027, 1, 1));
        w.remarks->setPlainText(u"  "_s);
        QVERIFY(!IsFormChanged(&w.window));
        w.billNo->setText(u"bill"_s);
        w.remarks->setPlainText(u"remark"_s);
        SaveControlValues(&w.window);
        change(w);
        QTEST(IsFormChanged(&w.window), "changed");
        SaveControlValues(&w.window);
        QVERIFY(!IsFormChanged(&w.window));
    }

    // Each call logs one line of nine fields ending in CR LF; only a shown, non-zero error comes up.
    void logLineAndMessage_data() {
        QTest::addColumn<int>("user");
        QTest::addColumn<long>("number");
        QTest::addColumn<bool>("show");
        QTest::addColumn<QString>("name");
        QTest::newRow("shown") << 7 << 3704L << true << "Asha Nair";
        QTest::newRow("number zero") << 8 << 0L << true << "Ravi";
        QTest::newRow("flag off") << 8 << 5L << false << "Ravi";
        QTest::newRow("user lookup fails: no name") << 7 << 3709L << true << "";
    }
    void logLineAndMessage() {
        QFETCH(int, user);
        QFETCH(long, number);
        QFETCH(bool, show);
        QFETCH(QString, name);
        if (name.isEmpty())
            db->failStatementsContaining(u"username"_s);
        MessageWatch seen;
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        WriteErrorLog(u"frmcancell"_s, std::int16_t(user), u"Cmdok_Click "_s, u"E"_s, number, u"Provider"_s, u"Bad"_s,
                      show);
        const QString line = errorLogLinesSince(logOffset).value(0),
                      head = u"frmcancell:ZQ5Reimbursement:%1:Provider:Bad:"_s.arg(number),
                      tail = u":%1:Cmdok_Click :E"_s.arg(name),
                      when = line.mid(head.size(), line.size() - head.size() - tail.size());
        // The only line added, ending in CR LF, with the local time between its fixed ends.
        QVERIFY2(line.startsWith(head) && line.endsWith(tail) && errorLogSize() == logOffset + line.toUtf8().size() + 2
                     && QDateTime::fromString(when, u"dd/MM/yyyy hh:mm:ss"_s) >= before,
                 qPrintable(line));
        QCOMPARE(seen.count(), int(show && number != 0));
        if (seen.count())
            QCOMPARE(seen.seen().title + seen.seen().text, u"PayrollBad"_s);
    }

    // A log that cannot be written (a folder in its place) costs the line, never the message (a caught exception's).
    void unwritableLogStillShowsTheMessage() {
        const QString kept = errorLogPath() + u".kept"_s;
        QFile::remove(kept);
        QFile::rename(errorLogPath(), kept);
        QVERIFY(QDir().mkdir(errorLogPath()));
        MessageWatch seen;
        const long raised = errorNumberOf(
            [] { WriteErrorLog(u"frmcancell"_s, u"Cmdok_Click "_s, toError(std::out_of_range("Not written"))); });
        QDir().rmdir(errorLogPath());
        QFile::rename(kept, errorLogPath());
        QCOMPARE(raised, 0L);
        QCOMPARE(seen.seen().text, u"Not written"_s);
    }

    void helpFileIsBesideTheLibraryAndF1OpensIt() {
        QDesktopServices::setUrlHandler(u"file"_s, this, "openHelp");
        SetHelpFile();
        SetHelpFile();  // twice: still one filter
        QLineEdit field;
        QTest::keyClick(&field, Qt::Key_F1);
        QCOMPARE(helpOpened, QList<QUrl>{QUrl::fromLocalFile(componentFolder() + u"/Help/helpfile.hlp"_s)});
        qApp->setProperty("helpFile", componentFolder() + u"/Help/missing.hlp"_s);
        QTest::keyClick(&field, Qt::Key_F1);
        QCOMPARE(helpOpened.size(), 1);
        QDesktopServices::unsetUrlHandler(u"file"_s);
    }

    // Made once from the shipped SQL, with physical names of its own; a file already there is left alone.
    void demoDatabaseIsMadeOnceWithNamesOfItsOwn() {
        auto connection = std::make_shared<adodb::Connection>();
        connection->Open(ensureDemoDatabase(dir.filePath(u"demo.db"_s)));
        context.setConnection(connection);
        GetLinkTables(context, *commonDB);
        for (const QString& name : TableNames::logicalNames())
            QCOMPARE(context.tables[name], u"zq_"_s + name);
        QFile file(dir.filePath(u"existing.db"_s));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.write("not touched") > 0 && file.flush());
        QCOMPARE(ensureDemoDatabase(file.fileName()), u"Provider=SQLite;Data Source="_s + file.fileName());
        QVERIFY(file.seek(0) && file.readAll() == "not touched");
    }
};

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
