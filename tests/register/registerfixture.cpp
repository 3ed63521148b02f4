#include "registerfixture.h"

#include "register/flexgrid.h"
#include "shell/basreimbursement.h"

#include <QComboBox>
#include <QFile>
#include <QTest>

using namespace ZQ5Reimbursement;

RegisterFixture::RegisterFixture() {
    db.exec(QStringLiteral(
        "INSERT INTO pusers VALUES (5, 'Asha'), (1, 'Admin');"
        "INSERT INTO puserrights VALUES (1, 5, 42, 'NEDP');"
        "INSERT INTO pSettings VALUES (1, 0, ''), (2, 0, '');"
        "INSERT INTO ptables VALUES (1, 'pReimburseHeader'), (2, 'pOther');"
        "INSERT INTO ptablecolumns VALUES (1, 1, 'ID', 0), (1, 2, 'Claim No', 6), (1, 3, 'Type', 8),"
        " (1, 4, 'Claim Date', 6), (1, 5, 'Employee', 12), (1, 6, 'Cancelled', 2), (2, 1, 'Other', 3);"
        "INSERT INTO pemployee (eempid, ecompanyid, ename) VALUES (11, 1, 'Meera Nair'), (12, 1, 'John Abbot'),"
        " (11, 2, 'Ravi Menon');"
        "INSERT INTO preimbursementmaster VALUES (1, 'Medical', 1), (2, 'Travel', 1), (3, 'Medical', 2);"));
    setContext();
}

RegisterFixture::~RegisterFixture() {
    Context& context = Context::instance();
    delete context.frmMaster.data();
    context.setConnection(nullptr);
}

void RegisterFixture::setContext(std::int16_t user, std::int16_t company) {
    Context& context = Context::instance();
    context.setConnection(db.connection());
    context.gintUserID = user;
    context.gintCompanyID = company;
    context.glngInterfaceID = interfaceId;
    context.gstrMsgboxTitle = QStringLiteral("Payroll");
    context.gdtProcessDate = QDate(2004, 3, 15);
    context.strMode.clear();
    context.strListSQL.clear();
    context.tables = TableNames();
}

FrmMaster& RegisterFixture::open() { return FrmMaster::instance(Context::instance()); }

FrmMaster& RegisterFixture::openShown() {
    FrmMaster& master = open();
    master.show();
    master.activateWindow();
    if (!QTest::qWaitForWindowExposed(&master))
        qWarning("the register was not exposed");
    return master;
}

void RegisterFixture::addClaim(int id, const QString& number, const QString& date, int employee, int type,
                               int cancelled, int company) {
    db.exec(QStringLiteral("INSERT INTO pReimburseHeader (rhreimburseid, rhcompanyid, rhreimburseno, rhdate,"
                           " rhClaimEmpID, rhrtypeid, rhTotalAmt, rhCancelled) VALUES (%1, %2, '%3', '%4', %5, %6, 10, %7)")
                .arg(id)
                .arg(company)
                .arg(number, date)
                .arg(employee)
                .arg(type)
                .arg(cancelled));
}

QStringList RegisterFixture::gridRows(const FlexGrid& grid) {
    QStringList rows;
    for (int row = 1; row < grid.Rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid.Cols(); ++col)
            cells << grid.TextMatrix(row, col);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList RegisterFixture::comboTexts(const QComboBox& combo) {
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i) + QLatin1Char('=') + combo.itemData(i).toString();
    return texts;
}

QStringList RegisterFixture::logLines() {
    QFile log(componentFolder() + QStringLiteral("/ZQ5ReimbursementError.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

QStringList RegisterFixture::writes() const {
    QStringList changing;
    for (const QString& sql : db.statements())
        if (!sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive))
            changing << sql;
    return changing;
}
