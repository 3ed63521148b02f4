// The common services on real rows: single values, next IDs, combo and list
// filling, list deletion, combo selection and the amount key filter.
#include "shell/commonmodule.h"
#include "testdatabase.h"
#include "testhelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

using namespace ZQ5Reimbursement;
using CommonModule::clsCommonDB;
using CommonModule::clsCommonGen;

class CommonModuleTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    std::shared_ptr<clsCommonDB> commonDB;

    static QStringList itemTexts(const QTreeWidget& list) {
        QStringList rows;
        for (int i = 0; i < list.topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list.topLevelItem(i);
            rows << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(QLatin1Char('|'));
        }
        return rows;
    }

    static QStringList comboItems(const QComboBox& combo) {
        QStringList items;
        for (int i = 0; i < combo.count(); ++i)
            items << QStringLiteral("%1=%2").arg(combo.itemData(i).toLongLong()).arg(combo.itemText(i));
        return items;
    }

    // The key code after TextValidateNum, the box holding `text` with the caret at `caret`.
    static int validated(const QString& text, int caret, QChar key, int maxLength = 18, int decimals = 2) {
        QLineEdit box(text);
        box.setCursorPosition(caret);
        int keyAscii = key.unicode();
        clsCommonGen().TextValidateNum(&box, keyAscii, maxLength, decimals);
        return keyAscii;
    }

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        commonDB = createObject<clsCommonDB>("CommonModule.clsCommonDB");
        commonDB->setadocon(db->connection());
    }

    void returnFieldReadsTheFirstMatchingRow() {
        db->exec(QStringLiteral("insert into pSettings values (1, 30, '2,3'), (2, NULL, '5')"));
        commonDB->setstrTablename(QStringLiteral("pSettings"));
        QCOMPARE(commonDB->fnReturnField(QStringLiteral("NoOfPreviousDays"), QStringLiteral("companyID=1")),
                 QStringLiteral("30"));
        QCOMPARE(db->statements().last(), QStringLiteral("select NoOfPreviousDays from pSettings where companyID=1"));
        QCOMPARE(commonDB->fnReturnField(QStringLiteral("SanctionDesginations"), QStringLiteral("CompanyID=1")),
                 QStringLiteral("2,3"));
        QCOMPARE(commonDB->fnReturnField(QStringLiteral("NoOfPreviousDays"), QStringLiteral("companyID=2")), QString());
        QCOMPARE(commonDB->fnReturnField(QStringLiteral("NoOfPreviousDays"), QStringLiteral("companyID=9")), QString());
    }

    void returnFieldTakesAConditionInsideTheTableText() {
        db->exec(QStringLiteral("insert into pusers values (1, 'Asha'), (2, 'Ravi')"));
        commonDB->setstrTablename(QStringLiteral("pusers where userid=2"));
        QCOMPARE(commonDB->fnReturnField(QStringLiteral("username")), QStringLiteral("Ravi"));
        QCOMPARE(db->statements().last(), QStringLiteral("select username from pusers where userid=2"));
    }

    void nextMaxNoIsOneAboveTheHighest() {
        commonDB->setstrTablename(QStringLiteral("pReimburseHeader"));
        QCOMPARE(commonDB->fnGetNextMaxNo(QStringLiteral("rhreimburseid")), 1);
        QCOMPARE(db->statements().last(), QStringLiteral("select isnull(max(rhreimburseid),0)+1 from pReimburseHeader"));
        db->exec(QStringLiteral("insert into pReimburseHeader (rhreimburseid, rhcompanyid) values (9, 1), (5, 2)"));
        QCOMPARE(commonDB->fnGetNextMaxNo(QStringLiteral("rhreimburseid")), 10);
    }

    void withoutConnectionReadsFail() {
        clsCommonDB unconnected;
        unconnected.setstrTablename(QStringLiteral("pusers"));
        QCOMPARE(errorNumberOf([&] { unconnected.fnReturnField(QStringLiteral("username")); }),
                 long(adodb::adErrInvalidConnection));
    }

    void comboIsRefilledSilentlyWithoutSelection() {
        db->exec(QStringLiteral("insert into pemployee (eempid, ecompanyid, ename, eActive) values "
                                "(4, 1, 'Dev', 1), (2, 1, 'Bela', 1), (3, 1, 'Old', 0), (5, 2, 'Other', 1)"));
        QComboBox combo;
        combo.addItem(QStringLiteral("stale"), QVariant(qlonglong(99)));
        combo.setCurrentIndex(0);
        QSignalSpy changes(&combo, &QComboBox::currentIndexChanged);

        commonDB->setstrTablename(QStringLiteral("pemployee"));
        commonDB->populateComboorList(&combo, QStringLiteral("eEmpId"), QStringLiteral("ename"),
                                      QStringLiteral("eCompanyID=1and eActive=1"));
        QCOMPARE(db->statements().last(),
                 QStringLiteral("select eEmpId, ename from pemployee where eCompanyID=1and eActive=1"));
        QStringList items = comboItems(combo);
        items.sort();  // in the order the database returns them
        QCOMPARE(items, (QStringList{QStringLiteral("2=Bela"), QStringLiteral("4=Dev")}));
        QCOMPARE(combo.itemData(0).metaType(), QMetaType::fromType<qlonglong>());
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(changes.count(), 0);
    }

    void comboTakesDistinctValuesWithoutCondition() {
        db->exec(QStringLiteral("insert into pcurrencymaster values (1, 1, 'Rupee', 'Rs.'), (1, 2, 'Dollar', '$')"));
        db->exec(QStringLiteral("insert into preimeligibilityheader (rereimelid, recompanyid, reretypeid, recurrencyid) "
                                "values (1, 1, 1, 2), (2, 1, 1, 2), (3, 1, 2, 1)"));
        QComboBox combo;
        commonDB->setstrTablename(QStringLiteral("pcurrencymaster c, preimeligibilityheader h "
                                                 "where c.CurrencyID=h.recurrencyid and h.reretypeid=1"));
        commonDB->populateComboorList(&combo, QStringLiteral("distinct CurrencyID"), QStringLiteral("CurrencyName"));
        QCOMPARE(comboItems(combo), QStringList{QStringLiteral("2=Dollar")});
        QCOMPARE(combo.currentIndex(), -1);
    }

    void listGetsSerialNumbersAndColumnsInOrder() {
        db->exec(QStringLiteral("insert into pReimbursedetail values (1, 7, 1, 'B-1', 750.00, 'Consultation'), "
                                "(1, 7, 2, 'B-2', 125.5, NULL), (1, 8, 1, 'X', 1, 'other claim')"));
        QTreeWidget list;
        list.setColumnCount(4);
        new QTreeWidgetItem(&list, QStringList{QStringLiteral("old")});
        commonDB->PopulateListview(&list, QStringLiteral("pReimbursedetail"), QStringLiteral("rdreimburseid = 7"),
                                   QStringLiteral("SLNO"), QStringLiteral("rdbillno"), QStringLiteral("rdremarks"),
                                   QStringLiteral("rdbillamt"));
        QCOMPARE(db->statements().last(),
                 QStringLiteral("select rdbillno, rdremarks, rdbillamt from pReimbursedetail where rdreimburseid = 7"));
        QCOMPARE(list.topLevelItemCount(), 2);
        QCOMPARE(itemTexts(list).at(0).section(QLatin1Char('|'), 0, 2), QStringLiteral("1|B-1|Consultation"));
        QCOMPARE(itemTexts(list).at(1).section(QLatin1Char('|'), 0, 2), QStringLiteral("2|B-2|"));
        QCOMPARE(list.topLevelItem(0)->text(3).toDouble(), 750.0);
        QCOMPARE(list.topLevelItem(1)->text(3).toDouble(), 125.5);
    }

    void listTakesTheClaimWindowsExpressions() {
        db->exec(QStringLiteral("insert into pReimbursedetail values (1, 3, 1, 'A-9', 1600.5, 'Six sessions')"));
        QTreeWidget list;
        list.setColumnCount(4);
        commonDB->PopulateListview(&list, QStringLiteral("pReimbursedetail"), QStringLiteral("rdreimburseid = 3"),
                                   QStringLiteral("SLNO"), QStringLiteral("rdbillno"),
                                   QStringLiteral("convert(varchar(10),rdbillamt)"), QStringLiteral("rdremarks"));
        QCOMPARE(list.topLevelItemCount(), 1);
        QCOMPARE(list.topLevelItem(0)->text(0), QStringLiteral("1"));
        QCOMPARE(list.topLevelItem(0)->text(1), QStringLiteral("A-9"));
        QCOMPARE(list.topLevelItem(0)->text(2).toDouble(), 1600.5);
        QCOMPARE(list.topLevelItem(0)->text(3), QStringLiteral("Six sessions"));
    }

    void deleteRemovesTheCurrentRowAndRenumbers() {
        QTreeWidget list;
        list.setColumnCount(4);
        for (const char* bill : {"A", "B", "C"})
            new QTreeWidgetItem(&list, QStringList{QString::number(list.topLevelItemCount() + 1), QLatin1String(bill)});
        list.setCurrentItem(list.topLevelItem(1));
        commonDB->fnDeleteListview(true, &list, true);
        QCOMPARE(itemTexts(list), (QStringList{QStringLiteral("1|A||"), QStringLiteral("2|C||")}));
        QVERIFY(list.currentItem());
        QVERIFY(list.currentItem()->isSelected());

        list.setCurrentItem(list.topLevelItem(0));
        commonDB->fnDeleteListview(true, &list, false);
        QCOMPARE(itemTexts(list), QStringList{QStringLiteral("2|C||")});
    }

    void deleteWithoutCurrentRowDoesNothing() {
        QTreeWidget list;
        new QTreeWidgetItem(&list, QStringList{QStringLiteral("1")});
        list.setCurrentItem(nullptr);
        commonDB->fnDeleteListview(true, &list, true);
        QCOMPARE(list.topLevelItemCount(), 1);
    }

    void selectComboItemByValueActsAsAChoice() {
        QComboBox combo;
        combo.addItem(QStringLiteral("Ten"), QVariant(qlonglong(10)));
        combo.addItem(QStringLiteral("Twenty"), QVariant(qlonglong(20)));
        combo.setCurrentIndex(-1);
        QSignalSpy changes(&combo, &QComboBox::currentIndexChanged);
        clsCommonGen gen;
        gen.SelectComboItemByValue(&combo, 20);
        QCOMPARE(combo.currentIndex(), 1);
        QCOMPARE(changes.count(), 1);
        gen.SelectComboItemByValue(&combo, 99);
        QCOMPARE(combo.currentIndex(), 1);
        QCOMPARE(changes.count(), 1);
    }

    void amountKeysKeepANumber() {
        QCOMPARE(validated(QStringLiteral("12"), 2, QLatin1Char('5')), int('5'));
        QCOMPARE(validated(QStringLiteral("12"), 2, QLatin1Char('.')), int('.'));
        QCOMPARE(validated(QStringLiteral("12.3"), 4, QLatin1Char('4')), int('4'));
        QCOMPARE(validated(QStringLiteral("12.34"), 5, QLatin1Char('5')), 0);        // a third decimal
        QCOMPARE(validated(QStringLiteral("12.34"), 1, QLatin1Char('5')), int('5'));  // before the point
        QCOMPARE(validated(QStringLiteral("12345"), 2, QLatin1Char('.')), 0);        // would leave 3 decimals
        QCOMPARE(validated(QStringLiteral("12.3"), 2, QLatin1Char('.')), 0);         // a second point
        QCOMPARE(validated(QStringLiteral("12"), 2, QLatin1Char('a')), 0);
        QCOMPARE(validated(QStringLiteral("12"), 2, QLatin1Char('-')), 0);
        QCOMPARE(validated(QStringLiteral("12.34"), 5, QChar(8)), 8);                // backspace
        QCOMPARE(validated(QStringLiteral("12.34"), 5, QChar(13)), 13);              // Enter
        QCOMPARE(validated(QStringLiteral("1234"), 4, QLatin1Char('5'), 4), 0);     // longer than allowed
        QCOMPARE(validated(QStringLiteral("123"), 3, QLatin1Char('4'), 4), int('4'));
    }

    void amountKeyReplacesTheSelection() {
        QLineEdit box(QStringLiteral("12.34"));
        box.selectAll();
        int keyAscii = '7';
        clsCommonGen().TextValidateNum(&box, keyAscii, 18, 2);
        QCOMPARE(keyAscii, int('7'));
        box.setSelection(3, 2);  // "34"
        keyAscii = '.';
        clsCommonGen().TextValidateNum(&box, keyAscii, 18, 2);
        QCOMPARE(keyAscii, 0);
    }
};

QTEST_MAIN(CommonModuleTest)
#include "test_commonmodule.moc"
