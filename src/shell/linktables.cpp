#include "linktables.h"

#include "commonmodule.h"
#include "context.h"

namespace ZQ5Reimbursement {

QString linkTablesStatement() {
    return QStringLiteral(" select tablename, linktablename from linktable where tablename in ( ")
         + QStringLiteral(" 'pusers', 'pfacilitymaster', 'pemployee', 'pfacilitydetails','pReimbursedetail','pReimburseHeader', 'ptables', ")
         + QStringLiteral(" 'ptablecolumns', 'puserrights','pSettings',  'pPrefix','pcurrencymaster','preimbursementmaster','preimeligibilityheader','preimeligibilitydetail')");
}

void GetLinkTables(Context& context, CommonModule::clsCommonDB& commonDB) {
    commonDB.setadocon(context.gAdoCon());
    adodb::Recordset links;
    links.Open(linkTablesStatement(), context.gAdoCon(), adodb::adOpenKeyset, adodb::adLockOptimistic);
    for (; !links.isEOF(); links.MoveNext()) {
        const QString logical = links.Fields(QStringLiteral("tablename")).textOrEmpty().toUpper();
        for (const QString& name : TableNames::logicalNames())
            if (logical == name.toUpper())
                context.tables.set(name, links.Fields(QStringLiteral("linktablename")).text());
    }
    links.Close();
}

}  // namespace ZQ5Reimbursement
