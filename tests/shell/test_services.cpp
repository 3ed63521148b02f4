// The shared services on real rows and widgets: single values and next IDs,
// filling combos and lists, deleting list rows, choosing by value, the
// amount key filter, amounts as text and the table-name map.
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/linktables.h"
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

namespace {

QStringList itemTexts(const QTreeWidget& list) {
    QStringList rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list.topLevelItem(i);
        rows << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList comboItems(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << QStringLiteral("%1=%2").arg(combo.itemData(i).toLongLong()).arg(combo.itemText(i));
    items.sort();  // in the order the database returns them
    return items;
}

}  // namespace

class ServicesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    std::shared_ptr<clsCommonDB> commonDB;

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        commonDB = createObject<clsCommonDB>("CommonModule.clsCommonDB");
        commonDB->setadocon(db->connection());
    }

    void singleValuesAndNextIds() {
        db->exec(QStringLiteral("insert into pSettings values (1, 30, '2,3'), (2, NULL, '5');"
                                "insert into pusers values (1, 'Asha'), (2, 'Ravi')"));
        commonDB->setstrTablename(QStringLiteral("pSettings"));
        QCOMPARE(commonDB->fnReturnField(QStringLiteral("NoOfPreviousDays"), QStringLiteral("companyID=1")),
                 QStringLiteral("30"));
        QCOMPARE(commonDB->fnReturnField(QStringLiteral("NoOfPreviousDays"), QStringLiteral("companyID=2")), QString());
        QCOMPARE(commonDB->fnReturnField(QStringLiteral("NoOfPreviousDays"), QStringLiteral("companyID=9")), QString());
        // A condition inside the table text.
        commonDB->setstrTablename(QStringLiteral("pusers where userid=2"));
        QCOMPARE(commonDB->fnReturnField(QStringLiteral("username")), QStringLiteral("Ravi"));
        commonDB->setstrTablename(QStringLiteral("pReimburseHeader"));
        QCOMPARE(commonDB->fnGetNextMaxNo(QStringLiteral("rhreimburseid")), 1);
        db->exec(QStringLiteral("insert into pReimburseHeader (rhreimburseid, rhcompanyid) values (9, 1), (5, 2)"));
        QCOMPARE(commonDB->fnGetNextMaxNo(QStringLiteral("rhreimburseid")), 10);
        clsCommonDB unconnected;
        unconnected.setstrTablename(QStringLiteral("pusers"));
        QCOMPARE(errorNumberOf([&] { unconnected.fnReturnField(QStringLiteral("username")); }),
                 long(adodb::adErrInvalidConnection));
    }

    void combosAreRefilledSilentlyWithoutSelection() {
        db->exec(QStringLiteral("insert into pemployee (eempid, ecompanyid, ename, eActive) values "
                                "(4, 1, 'Dev', 1), (2, 1, 'Bela', 1), (3, 1, 'Old', 0), (5, 2, 'Other', 1);"
                                "insert into pcurrencymaster values (1, 1, 'Rupee', 'Rs.'), (1, 2, 'Dollar', '$');"
                                "insert into preimeligibilityheader (rereimelid, recompanyid, reretypeid, recurrencyid)"
                                " values (1, 1, 1, 2), (2, 1, 1, 2), (3, 1, 2, 1)"));
        QComboBox combo;
        combo.addItem(QStringLiteral("stale"), QVariant(qlonglong(99)));
        combo.setCurrentIndex(0);
        QSignalSpy changes(&combo, &QComboBox::currentIndexChanged);
        commonDB->setstrTablename(QStringLiteral("pemployee"));
        commonDB->populateComboorList(&combo, QStringLiteral("eEmpId"), QStringLiteral("ename"),
                                      QStringLiteral("eCompanyID=1and eActive=1"));
        QCOMPARE(comboItems(combo), QStringList({"2=Bela", "4=Dev"}));
        QCOMPARE(combo.itemData(0).metaType(), QMetaType::fromType<qlonglong>());
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(changes.count(), 0);
        commonDB->setstrTablename(QStringLiteral("pcurrencymaster c, preimeligibilityheader h "
                                                 "where c.CurrencyID=h.recurrencyid and h.reretypeid=1"));
        commonDB->populateComboorList(&combo, QStringLiteral("distinct CurrencyID"), QStringLiteral("CurrencyName"));
        QCOMPARE(comboItems(combo), QStringList{QStringLiteral("2=Dollar")});
        // Choosing by value acts as a choice; an unknown value changes nothing.
        clsCommonGen gen;
        combo.addItem(QStringLiteral("Twenty"), QVariant(qlonglong(20)));
        gen.SelectComboItemByValue(&combo, 20);
        QCOMPARE(combo.currentIndex(), 1);
        gen.SelectComboItemByValue(&combo, 99);
        QCOMPARE(combo.currentIndex(), 1);
    }

    void listsGetSerialNumbersAndLoseRowsRenumbered() {
        db->exec(QStringLiteral("insert into pReimbursedetail values (1, 7, 1, 'B-1', 750.00, 'Consultation'), "
                                "(1, 7, 2, 'B-2', 125.5, NULL), (1, 8, 1, 'X', 1, 'other claim')"));
        QTreeWidget list;
        list.setColumnCount(4);
        new QTreeWidgetItem(&list, QStringList{QStringLiteral("old")});
        commonDB->PopulateListview(&list, QStringLiteral("pReimbursedetail"), QStringLiteral("rdreimburseid = 7"),
                                   QStringLiteral("SLNO"), QStringLiteral("rdbillno"),
                                   QStringLiteral("convert(varchar(10),rdbillamt)"), QStringLiteral("rdremarks"));
        QCOMPARE(itemTexts(list), QStringList({"1|B-1|750.00|Consultation", "2|B-2|125.50|"}));
        new QTreeWidgetItem(&list, QStringList{QStringLiteral("3"), QStringLiteral("C")});
        list.setCurrentItem(list.topLevelItem(1));
        commonDB->fnDeleteListview(true, &list, true);
        QCOMPARE(itemTexts(list), QStringList({"1|B-1|750.00|Consultation", "2|C||"}));
        QVERIFY(list.currentItem() && list.currentItem()->isSelected());
        list.setCurrentItem(nullptr);
        commonDB->fnDeleteListview(true, &list, true);
        QCOMPARE(list.topLevelItemCount(), 2);
    }

    void amountKeysKeepANumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");  // -1: all selected
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("taken");
        QTest::newRow("digit") << "12" << 2 << int('5') << 18 << true;
        QTest::newRow("point") << "12" << 2 << int('.') << 18 << true;
        QTest::newRow("third decimal") << "12.34" << 5 << int('5') << 18 << false;
        QTest::newRow("digit before the point") << "12.34" << 1 << int('5') << 18 << true;
        QTest::newRow("point leaving three decimals") << "12345" << 2 << int('.') << 18 << false;
        QTest::newRow("second point") << "12.3" << 2 << int('.') << 18 << false;
        QTest::newRow("letter") << "12" << 2 << int('a') << 18 << false;
        QTest::newRow("minus") << "12" << 2 << int('-') << 18 << false;
        QTest::newRow("backspace") << "12.34" << 5 << 8 << 18 << true;
        QTest::newRow("Enter") << "12.34" << 5 << 13 << 18 << true;
        QTest::newRow("longer than allowed") << "1234" << 4 << int('5') << 4 << false;
        QTest::newRow("replacing the selection") << "12.34" << -1 << int('7') << 18 << true;
    }
    void amountKeysKeepANumber() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, key);
        QFETCH(int, maxLength);
        QFETCH(bool, taken);
        QLineEdit box(text);
        if (caret < 0)
            box.selectAll();
        else
            box.setCursorPosition(caret);
        int keyAscii = key;
        clsCommonGen().TextValidateNum(&box, keyAscii, maxLength, 2);
        QCOMPARE(keyAscii, taken ? key : 0);
    }

    void amountsAsText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("formatted");
        QTest::addColumn<QString>("plain");
        QTest::newRow("trailing letters") << "12.5abc" << 12.5 << "12.50" << "12.5";
        QTest::newRow("thousands separator") << "1,234" << 1.0 << "1.00" << "1";
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
        QFETCH(double, value);
        QFETCH(QString, formatted);
        QFETCH(QString, plain);
        QCOMPARE(numericValue(text), value);
        QCOMPARE(formatAmount(value), formatted);
        QCOMPARE(plainNumber(value), plain);
    }

    void tableNamesComeFromLinktable_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("logical");
        QTest::addColumn<QString>("physical");
        QTest::newRow("other letter case") << "('PSETTINGS', 'settings_2026')" << "pSettings" << "settings_2026";
        QTest::newRow("later row wins") << "('pPrefix', 'old'), ('PPREFIX', 'new')" << "pPrefix" << "new";
        QTest::newRow("no row: empty, no fallback") << "('pusers', 'users')" << "pemployee" << "";
        QTest::newRow("other names change nothing") << "('ppayrollmaster', 'p'), ('pusersx', 'ux'), ('pusers', 'u')"
                                                    << "pusers" << "u";
        QTest::newRow("facility tables too") << "('pfacilitymaster', 'fm')" << "pfacilitymaster" << "fm";
    }
    void tableNamesComeFromLinktable() {
        QFETCH(QString, rows);
        QFETCH(QString, logical);
        QFETCH(QString, physical);
        Context& context = Context::instance();
        context.setConnection(db->connection());
        context.tables = TableNames{};
        db->exec(QStringLiteral("delete from linktable; insert into linktable values ") + rows);
        clsCommonDB reader;
        GetLinkTables(context, reader);
        QCOMPARE(context.tables[logical], physical);
        QCOMPARE(context.tables[logical.toUpper()], physical);
        // A later fill without the name keeps what it had; a NULL name or no linktable is an error.
        db->exec(QStringLiteral("delete from linktable"));
        GetLinkTables(context, reader);
        QCOMPARE(context.tables[logical], physical);
        db->exec(QStringLiteral("insert into linktable values ('pusers', NULL)"));
        QCOMPARE(errorNumberOf([&] { GetLinkTables(context, reader); }), long(adodb::adErrInvalidUseOfNull));
        db->exec(QStringLiteral("drop table linktable"));
        QVERIFY_THROWS_EXCEPTION(adodb::Error, GetLinkTables(context, reader));
        context.setConnection(nullptr);
    }
};

QTEST_MAIN(ServicesTest)
#include "test_services.moc"
