// The cancellation statement, character for character.
#include "cancel/cancelstatements.h"

#include <QTest>

using ZQ5Reimbursement::TableNames;

class CancelStatementsTest : public QObject {
    Q_OBJECT
private slots:
    void statementKeepsItsBlanksWithTheReasonAsParameter_data();
    void statementKeepsItsBlanksWithTheReasonAsParameter();
};

void CancelStatementsTest::statementKeepsItsBlanksWithTheReasonAsParameter_data() {
    QTest::addColumn<QString>("physicalName");
    QTest::addColumn<QString>("claimIdText");
    QTest::addColumn<int>("companyId");
    QTest::addColumn<QString>("expected");

    QTest::newRow("same name") << "pReimburseHeader" << "17" << 3
                               << "update pReimburseHeader  set rhcancelled=1, rhcancelledremarks=? "
                                  "where rhreimburseid=17  and rhcompanyid= 3";
    QTest::newRow("other physical name")
        << "zq_claim_header" << "1024" << 12
        << "update zq_claim_header  set rhcancelled=1, rhcancelledremarks=? where rhreimburseid=1024  and rhcompanyid= 12";
    QTest::newRow("negative company")
        << "pReimburseHeader" << "5" << -2
        << "update pReimburseHeader  set rhcancelled=1, rhcancelledremarks=? where rhreimburseid=5  and rhcompanyid= -2";
}

void CancelStatementsTest::statementKeepsItsBlanksWithTheReasonAsParameter() {
    QFETCH(QString, physicalName);
    QFETCH(QString, claimIdText);
    QFETCH(int, companyId);
    QFETCH(QString, expected);

    TableNames tables;
    tables.set(QStringLiteral("pReimburseHeader"), physicalName);
    tables.set(QStringLiteral("pReimbursedetail"), QStringLiteral("not_this_one"));

    QCOMPARE(ZQ5Reimbursement::cancelClaimStatement(tables, claimIdText, static_cast<std::int16_t>(companyId)),
             expected);
}

QTEST_APPLESS_MAIN(CancelStatementsTest)
#include "tst_cancelstatements.moc"
