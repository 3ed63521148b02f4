// Amounts as text: the leading number of a text, "0.00" and plain decimals.
#include "shell/basreimbursement.h"

#include <QtTest>

using namespace ZQ5Reimbursement;

class AmountsTest : public QObject {
    Q_OBJECT

private slots:
    void numericValueTakesTheLeadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("trailing letters") << QStringLiteral("12.5abc") << 12.5;
        QTest::newRow("thousands separator") << QStringLiteral("1,234") << 1.0;
        QTest::newRow("negative") << QStringLiteral("-3") << -3.0;
        QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
        QTest::newRow("point first") << QStringLiteral(".5") << 0.5;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("leading blanks") << QStringLiteral("  42") << 42.0;
        QTest::newRow("point last") << QStringLiteral("7.") << 7.0;
        QTest::newRow("second point") << QStringLiteral("1.2.3") << 1.2;
        QTest::newRow("sign only") << QStringLiteral("-") << 0.0;
        QTest::newRow("amount") << QStringLiteral("4850.00") << 4850.0;
    }
    void numericValueTakesTheLeadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numericValue(text), value);
    }

    void formatAmountHasTwoDecimals() {
        QCOMPARE(formatAmount(0), QStringLiteral("0.00"));
        QCOMPARE(formatAmount(4850), QStringLiteral("4850.00"));
        QCOMPARE(formatAmount(1234567.5), QStringLiteral("1234567.50"));
        QCOMPARE(formatAmount(0.125 + 0.0001), QStringLiteral("0.13"));
        QCOMPARE(formatAmount(-250.4), QStringLiteral("-250.40"));
        QCOMPARE(formatAmount(-0.001), QStringLiteral("0.00"));
    }

    void plainNumberIsShortAndWithoutExponent_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 4850.0 << QStringLiteral("4850");
        QTest::newRow("half") << 12.5 << QStringLiteral("12.5");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0");
        QTest::newRow("negative") << -3.25 << QStringLiteral("-3.25");
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << QStringLiteral("0.3");
        QTest::newRow("small") << 0.00001 << QStringLiteral("0.00001");
        QTest::newRow("large") << 1e20 << QStringLiteral("100000000000000000000");
        QTest::newRow("fifteen digits") << 123456789.123456789 << QStringLiteral("123456789.123457");
    }
    void plainNumberIsShortAndWithoutExponent() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(plainNumber(value), text);
    }
};

QTEST_MAIN(AmountsTest)
#include "test_amounts.moc"
