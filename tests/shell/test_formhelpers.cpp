// The shared form helpers on real widgets: Enter to Tab and the key filter,
// the blank check, the control snapshot, message boxes and the hourglass.
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/formcontrols.h"
#include "messageanswers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

using namespace ZQ5Reimbursement;

namespace {

// A window with one control of every kind the snapshot knows, and some it ignores.
struct EntryWindow {
    QDialog window;
    QLineEdit* billNo = new QLineEdit(&window);
    QLineEdit* amount = new QLineEdit(&window);
    QPlainTextEdit* remarks = new QPlainTextEdit(&window);
    QComboBox* employee = new QComboBox(&window);
    QCheckBox* paid = new QCheckBox(&window);
    QRadioButton* first = new QRadioButton(&window);
    QRadioButton* second = new QRadioButton(&window);
    QDateEdit* date = new QDateEdit(QDate(2026, 3, 15), &window);
    QTreeWidget* lines = new QTreeWidget(&window);

    EntryWindow() {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{billNo, amount, remarks, employee, paid, first, second, date,
                                                         lines})
            layout->addWidget(w);
        employee->addItem(QStringLiteral("Anita"), QVariant(qlonglong(1)));
        employee->addItem(QStringLiteral("Brian"), QVariant(qlonglong(2)));
        employee->setCurrentIndex(-1);
    }

    void showActive() {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

}  // namespace

class FormHelpersTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Context::instance().gstrMsgboxTitle = QStringLiteral("Payroll"); }
    void cleanup() { closeAllWindows(); }

    void keyFilterDiscardsReplacesAndMovesOn() {
        EntryWindow w;
        installKeyPressFilter(w.billNo, [](int& keyAscii) {
            KeyEnterToTab(keyAscii);
            if (keyAscii == 'x')
                keyAscii = 'y';
        });
        w.showActive();
        w.billNo->setFocus();
        QTest::keyClicks(w.billNo, QStringLiteral("b-1x"));
        QCOMPARE(w.billNo->text(), QStringLiteral("b1y"));
        QTest::keyClick(w.billNo, Qt::Key_Backspace);
        QCOMPARE(w.billNo->text(), QStringLiteral("b1"));
        QTest::keyClick(w.billNo, Qt::Key_Return);
        QTRY_VERIFY(w.amount->hasFocus());
    }

    void amountFilterThroughTheKeys() {
        EntryWindow w;
        CommonModule::clsCommonGen gen;
        installKeyPressFilter(w.amount, [&gen, &w](int& keyAscii) {
            KeyEnterToTab(keyAscii);
            gen.TextValidateNum(w.amount, keyAscii, 18, 2);
        });
        w.showActive();
        w.amount->setFocus();
        QTest::keyClicks(w.amount, QStringLiteral("-12a.3.45"));
        QCOMPARE(w.amount->text(), QStringLiteral("12.34"));
        w.amount->setCursorPosition(0);
        QTest::keyClick(w.amount, Qt::Key_Delete);  // a key without a character is the box's own
        QCOMPARE(w.amount->text(), QStringLiteral("2.34"));
        w.amount->end(false);
        QTest::keyClick(w.amount, Qt::Key_Backspace);
        QCOMPARE(w.amount->text(), QStringLiteral("2.3"));
    }

    void blankOnlyTextIsNotFilled() {
        EntryWindow w;
        w.showActive();
        w.amount->setFocus();
        w.billNo->setText(QStringLiteral("   "));
        MessageWatch seen;
        QCOMPARE(w.window.focusWidget(), w.amount);
        QVERIFY(!fnIsFilled(w.billNo, QStringLiteral("Enter the bill number"), QStringLiteral("Bills")));
        QVERIFY(seen.seen().shown);
        QCOMPARE(seen.seen().text, QStringLiteral("Enter the bill number"));
        QCOMPARE(seen.seen().title, QStringLiteral("Bills"));
        QCOMPARE(seen.seen().icon, QMessageBox::Information);
        QCOMPARE(seen.seen().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(w.window.focusWidget(), w.billNo);

        w.billNo->setText(QStringLiteral(" B-1 "));
        QVERIFY(fnIsFilled(w.billNo, QStringLiteral("Enter the bill number"), QStringLiteral("Bills")));
    }

    // After a snapshot of "bill", "remark", no employee, unchecked boxes:
    // does the change count?
    void changesAfterTheSnapshot_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("changed");
        QTest::newRow("trailing blanks") << 0 << false;
        QTest::newRow("leading blanks") << 1 << false;
        QTest::newRow("letter case") << 2 << true;
        QTest::newRow("remarks") << 3 << true;
        QTest::newRow("combo choice") << 4 << true;
        QTest::newRow("check box") << 5 << true;
        QTest::newRow("check box partly") << 6 << true;
        QTest::newRow("option button") << 7 << true;
        QTest::newRow("list lines and date") << 8 << false;
    }
    void changesAfterTheSnapshot() {
        QFETCH(int, change);
        QFETCH(bool, changed);
        EntryWindow w;
        // Without a snapshot, blank controls and the date picker are unchanged.
        w.date->setDate(QDate(2027, 1, 1));
        w.remarks->setPlainText(QStringLiteral("  "));
        QVERIFY(!IsFormChanged(&w.window));
        w.billNo->setText(QStringLiteral("bill"));
        w.remarks->setPlainText(QStringLiteral("remark"));
        SaveControlValues(&w.window);
        QCOMPARE(w.billNo->property("tag").toString(), QStringLiteral("bill"));
        QCOMPARE(w.paid->property("tag").toString(), QStringLiteral("0"));
        QVERIFY(!w.date->property("tag").isValid());
        const std::function<void()> changes[] = {
            [&] { w.billNo->setText(QStringLiteral("bill   ")); },
            [&] { w.billNo->setText(QStringLiteral("  bill")); },
            [&] { w.billNo->setText(QStringLiteral("Bill")); },
            [&] { w.remarks->setPlainText(QStringLiteral("remarks")); },
            [&] { w.employee->setCurrentIndex(0); },
            [&] { w.paid->setChecked(true); },
            [&] {
                w.paid->setTristate(true);
                w.paid->setCheckState(Qt::PartiallyChecked);
            },
            [&] { w.first->setChecked(true); },
            [&] {
                w.lines->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("1")}));
                w.date->setDate(QDate(2030, 1, 1));
            },
        };
        changes[change]();
        QCOMPARE(IsFormChanged(&w.window), changed);
        SaveControlValues(&w.window);
        QVERIFY(!IsFormChanged(&w.window));
    }

    void messageBoxesCarryTheContextTitle() {
        MessageWatch seen(QMessageBox::No);
        const auto answer = showMessage(nullptr, QStringLiteral("Save changes?"), QMessageBox::Question,
                                        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        QCOMPARE(answer, QMessageBox::No);
        QCOMPARE(seen.seen().title, QStringLiteral("Payroll"));
        QCOMPARE(seen.seen().text, QStringLiteral("Save changes?"));
        QCOMPARE(seen.seen().icon, QMessageBox::Question);
        QCOMPARE(seen.seen().buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(seen.seen().defaultButton, QMessageBox::Yes);

        MessageWatch enter(QMessageBox::NoButton);
        QCOMPARE(showMessageTitled(nullptr, QString(), QStringLiteral("Delete?"), QMessageBox::Question,
                                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
                 QMessageBox::No);
        QCOMPARE(enter.seen().title, QString());
    }

    // A label placed with a short caption, then given the row's (as the figures get the currency symbol).
    void captionsAreNeverCut_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("boxTwips");
        QTest::newRow("fits its box") << QStringLiteral("Limit-Rs.") << 1500;
        QTest::newRow("longer than its box") << QStringLiteral("Limit-Rs.") << 360;
        QTest::newRow("shortcut marker takes no room") << QStringLiteral("&Reimb. No.:") << 885;
    }

    void captionsAreNeverCut() {
        QFETCH(QString, caption);
        QFETCH(int, boxTwips);
        QDialog window;
        useFormFont(&window);
        QLabel* label = placeLabel(&window, "lbllimit", QStringLiteral("L:"), 4320, 1500, boxTwips, 195);
        label->setBuddy(new QLineEdit(&window));
        setCaption(label, caption);
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->geometry().topLeft(), QPoint(288, 100));
        QCOMPARE(label->width(), std::max(boxTwips / 15, label->sizeHint().width()));
        QVERIFY(label->height() >= label->sizeHint().height());
    }
};

QTEST_MAIN(FormHelpersTest)
#include "test_formhelpers.moc"
