// The component's entry: creation by ProgID, the connection property, and
// Show's copy of the host context and its modal register.
#include "registerrows.h"
#include "register/frmmaster.h"
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "messageanswers.h"

#include <ZQ5Reimbursement/clsReimbursement.h>

#include <QPushButton>
#include <QtTest>

using namespace ZQ5Reimbursement;

namespace {

// What the register showed while it was open.
struct SeenRegister {
    bool shown = false;
    QStringList claimNumbers;
    bool newEnabled = false;
    bool editEnabled = false;
};

// Closes the next register with its Close button, noting what it showed.
std::shared_ptr<SeenRegister> closeNextRegister() {
    auto seen = std::make_shared<SeenRegister>();
    whenDialog(QStringLiteral("FrmMaster"), [seen](QWidget* window) {
        auto* master = qobject_cast<FrmMaster*>(window);
        seen->shown = master && master->isVisible() && master->isModal();
        for (int row = 1; master && row < master->flexMaster->Rows(); ++row)
            seen->claimNumbers << master->flexMaster->TextMatrix(row, 1);
        seen->newEnabled = master->cmdnew->isEnabled();
        seen->editEnabled = master->CmdEdit->isEnabled();
        QTest::mouseClick(master->CmdClose, Qt::LeftButton);
    });
    return seen;
}

}  // namespace

class EntryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;

    std::shared_ptr<clsReimbursement> component(std::int16_t company, std::int32_t interfaceId) {
        auto reimbursement = createObject("ZQ5Reimbursement.clsReimbursement");
        reimbursement->setadocon(db->connection());
        reimbursement->setMsgboxTitle(QStringLiteral("Payroll %1").arg(company));
        reimbursement->setIntinterfaceid(interfaceId);
        reimbursement->setProcessDate(QDate(2026, 3, 15));
        reimbursement->setintUserID(1);
        reimbursement->setintCompanyID(company);
        return reimbursement;
    }

private slots:
    void init() {
        db = std::make_unique<TestDatabase>();
        addRegisterRows(*db);
    }
    void cleanup() { closeAllWindows(); }

    void createsTheThreeProgIds() {
        QVERIFY(createObject("ZQ5Reimbursement.clsReimbursement"));
        QVERIFY(createObject<CommonModule::clsCommonDB>("CommonModule.clsCommonDB"));
        QVERIFY(createObject<CommonModule::clsCommonGen>("commonmodule.clscommongen"));
        QVERIFY(createObject<CommonModule::clsCommonDB>("CommonModule.clsCommonDB")
                != createObject<CommonModule::clsCommonDB>("CommonModule.clsCommonDB"));
    }

    void unknownProgIdCannotBeCreated() {
        try {
            createComObject("CommonModule.clsCommonReports");
            QFAIL("an unknown ProgID was created");
        } catch (const adodb::Error& error) {
            QCOMPARE(error.Number(), 429L);
            QVERIFY(error.Description().startsWith(QStringLiteral("ActiveX component can't create object")));
            QVERIFY(error.Description().contains(QStringLiteral("CommonModule.clsCommonReports")));
        }
        QVERIFY_THROWS_EXCEPTION(adodb::Error,
                                 createObject<CommonModule::clsCommonGen>("ZQ5Reimbursement.clsReimbursement"));
    }

    void connectionIsNeverEmpty() {
        clsReimbursement reimbursement;
        const auto created = reimbursement.adocon();
        QVERIFY(created);
        QCOMPARE(created->State(), long(adodb::adStateClosed));
        QCOMPARE(reimbursement.adocon(), created);
        reimbursement.setadocon(db->connection());
        QCOMPARE(reimbursement.adocon(), db->connection());
    }

    void showCopiesTheContextAndReturnsWhenClosed() {
        auto reimbursement = component(1, 101);
        reimbursement->setintUserID(32767);
        Context& context = Context::instance();
        context.strMode = QStringLiteral("E");
        auto seen = closeNextRegister();
        reimbursement->Show();
        QVERIFY(seen->shown);
        QVERIFY(!context.frmMaster);
        QCOMPARE(context.gintUserID, std::int16_t(32767));
        QCOMPARE(context.gintCompanyID, std::int16_t(1));
        QCOMPARE(context.glngInterfaceID, 101);
        QCOMPARE(context.gstrMsgboxTitle, QStringLiteral("Payroll 1"));
        QCOMPARE(context.gAdoCon(), db->connection());
        QCOMPARE(context.gdtProcessDate, QDate(2026, 3, 15));
    }

    void showsAgainWithOtherValues() {
        auto first = closeNextRegister();
        component(1, 101)->Show();
        QCOMPARE(first->claimNumbers, QStringList{QStringLiteral("RB1")});

        auto second = closeNextRegister();
        component(2, 101)->Show();
        QVERIFY(second->shown);
        QCOMPARE(second->claimNumbers, QStringList{QStringLiteral("RC1")});
        QCOMPARE(Context::instance().gstrMsgboxTitle, QStringLiteral("Payroll 2"));
    }

    void interfaceIdChoosesTheRights() {
        auto granted = closeNextRegister();
        component(1, 101)->Show();
        QVERIFY(granted->newEnabled);  // rights "N" for interface 101
        QVERIFY(!granted->editEnabled);

        auto none = closeNextRegister();
        component(1, 202)->Show();  // user 1 without a rights row
        QVERIFY(none->shown);
        QVERIFY(!none->newEnabled);
    }

    void withoutConnectionTheLoadReportsTheError() {
        auto reimbursement = component(1, 101);
        reimbursement->setadocon(nullptr);
        MessageWatch message;
        auto seen = closeNextRegister();
        reimbursement->Show();
        QVERIFY(message.seen().shown);
        QCOMPARE(message.seen().icon, QMessageBox::Warning);
        QCOMPARE(message.seen().title, QStringLiteral("Payroll 1"));
        QVERIFY(!message.seen().text.isEmpty());
        QVERIFY(seen->shown);
        QVERIFY(seen->claimNumbers.join(QString()).isEmpty());
        QCOMPARE(Context::instance().gAdoCon(), reimbursement->adocon());
        QCOMPARE(reimbursement->adocon()->State(), long(adodb::adStateClosed));
    }
};

QTEST_MAIN(EntryTest)
#include "test_entry.moc"
