// The claim window's controls, its default instance, its load and its key handling.
#include "frmreimbursement.h"

#include "claimstatements.h"
#include "shell/formcontrols.h"
#include "register/frmmaster.h"
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace ZQ5Reimbursement {

namespace {

QLineEdit* figureBox(QWidget* parent, const char* name, int left, int top, int width, int height) {
    QLineEdit* box = place<QLineEdit>(parent, name, left, top, width, height);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    QPushButton* control = place<QPushButton>(parent, name, left, top, 1170, 540);
    control->setText(caption);
    // Enter moves between fields; it must never press a button by default.
    control->setAutoDefault(false);
    return control;
}

}  // namespace

frmReimbursement::frmReimbursement(Context& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmReimbursement"));
    setWindowTitle(QStringLiteral("Re-imbursement"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(8940), twips(6360));
    useFormFont(this);
    buildControls();
    buildLinesList();
    setTabOrderAndKeys();
    connectHandlers();
    Form_Load();
}

frmReimbursement::~frmReimbursement() = default;

frmReimbursement& frmReimbursement::instance(Context& context) {
    if (!context.frmReimbursementWindow)
        context.frmReimbursementWindow = new frmReimbursement(context, context.frmMaster.data());
    return *context.frmReimbursementWindow;
}

void frmReimbursement::buildControls() {
    frareimbursement = place<QGroupBox>(this, "frareimbursement", 75, 0, 8820, 3225);
    QGroupBox* frame = frareimbursement;

    lblDate = placeLabel(frame, "lblDate", QStringLiteral("&Date:"), 6705, 255, 390, 195);
    dtpdate = place<QDateEdit>(frame, "dtpdate", 7260, 195, 1470, 315);
    dtpdate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtpdate->setCalendarPopup(true);
    lblemployee = placeLabel(frame, "lblemployee", QStringLiteral("&Employee :"), 105, 675, 780, 195);
    cboemployee = place<QComboBox>(frame, "cboemployee", 1200, 615, 2865, 315);
    lblretype = placeLabel(frame, "lblretype", QStringLiteral("Re-imburse Type:"), 4320, 675, 1245, 195);
    cbotype = place<QComboBox>(frame, "cbotype", 5910, 615, 2865, 315);
    lblamt = placeLabel(frame, "lblamt", QStringLiteral("A&mount:"), 105, 1080, 585, 195);
    txtamount = figureBox(frame, "txtamount", 1200, 1020, 2895, 315);
    lblapp = placeLabel(frame, "lblapp", QStringLiteral("&Approved by:"), 4320, 1080, 945, 195);
    cboapproved = place<QComboBox>(frame, "cboapproved", 5910, 1020, 2865, 315);
    lblCurrency = placeLabel(frame, "lblCurrency", QStringLiteral("Currency: "), 105, 1500, 720, 195);
    cboCurrency = place<QComboBox>(frame, "cboCurrency", 1200, 1440, 2925, 315);
    lbllimit = placeLabel(frame, "lbllimit", QStringLiteral("Limit:"), 4320, 1500, 360, 195);
    txtlimit = figureBox(frame, "txtlimit", 5910, 1440, 2835, 315);
    lblutilized = placeLabel(frame, "lblutilized", QStringLiteral("Utilized:"), 105, 1950, 555, 195);
    txtutilized = figureBox(frame, "txtutilized", 1200, 1890, 2895, 315);
    lblbalance = placeLabel(frame, "lblbalance", QStringLiteral("Balance:"), 4320, 1950, 630, 195);
    txtbalance = figureBox(frame, "txtbalance", 5910, 1890, 2835, 315);
    lblremarks = placeLabel(frame, "lblremarks", QStringLiteral("Remar&ks:"), 105, 2310, 675, 195);
    txtremark = place<QPlainTextEdit>(frame, "txtremark", 1200, 2310, 7530, 765);
    txtremark->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The injected Tab of Enter must move on, not land in the remarks.
    txtremark->setTabChangesFocus(true);
    txtreimbno = place<QLineEdit>(frame, "txtreimbno", 1200, 180, 2865, 315);
    lblreno = placeLabel(frame, "lblreno", QStringLiteral("&Reimb.  No.:"), 105, 255, 885, 195);

    lblDate->setBuddy(dtpdate);
    lblemployee->setBuddy(cboemployee);
    lblamt->setBuddy(txtamount);
    lblapp->setBuddy(cboapproved);
    lblremarks->setBuddy(txtremark);
    lblreno->setBuddy(txtreimbno);

    cmdOk = button(this, "cmdOk", QStringLiteral("&Ok"), 6495, 5760);
    cmdCancel = button(this, "cmdCancel", QStringLiteral("&Close"), 7740, 5760);
}

void frmReimbursement::buildLinesList() {
    lvwdetails = place<QTreeWidget>(this, "lvwdetails", 75, 3285, 8865, 2340);
    lvwdetails->setColumnCount(4);
    lvwdetails->setHeaderLabels({QStringLiteral("SlNo."), QStringLiteral("Bill No."), QStringLiteral("Amount"),
                                 QStringLiteral("Remarks")});
    lvwdetails->setRootIsDecorated(false);
    lvwdetails->setItemsExpandable(false);
    lvwdetails->setUniformRowHeights(true);
    lvwdetails->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwdetails->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwdetails->setColumnWidth(0, twips(900));
    lvwdetails->setColumnWidth(1, twips(2200));
    lvwdetails->setColumnWidth(2, twips(1600));
    lvwdetails->header()->setStretchLastSection(true);
    lvwdetails->installEventFilter(this);
    lvwdetails->viewport()->installEventFilter(this);

    mnufile = new QMenu(QStringLiteral("file"), this);
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnuadd = mnufile->addAction(QStringLiteral("&Add"));
    mnuadd->setObjectName(QStringLiteral("mnuadd"));
    mnuedit = mnufile->addAction(QStringLiteral("&Edit"));
    mnuedit->setObjectName(QStringLiteral("mnuedit"));
    mnudelete = mnufile->addAction(QStringLiteral("&Delete"));
    mnudelete->setObjectName(QStringLiteral("mnudelete"));
}

void frmReimbursement::setTabOrderAndKeys() {
    const QList<QWidget*> tabOrder = {dtpdate,     cboemployee, cbotype,    txtamount,  cboapproved,
                                      cboCurrency, txtlimit,    txtutilized, txtbalance, txtremark,
                                      lvwdetails,  cmdOk,       cmdCancel,  txtreimbno};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    const auto enterToTab = [](int& keyAscii) { KeyEnterToTab(keyAscii); };
    for (QWidget* control : std::initializer_list<QWidget*>{cboemployee, cboapproved, cbotype, cboCurrency, txtlimit,
                                                            txtutilized, txtbalance, txtremark, dtpdate})
        installKeyPressFilter(control, enterToTab);
    installKeyPressFilter(txtamount, [this](int& keyAscii) {
        KeyEnterToTab(keyAscii);
        objCommonGen->TextValidateNum(txtamount, keyAscii, 18, 2);
        if (keyAscii == '-')
            keyAscii = 0;
    });
}

void frmReimbursement::connectHandlers() {
    const auto handle = [this](const char* procedure, void (frmReimbursement::*handler)()) {
        return [this, procedure, handler] { runHandler(QLatin1String(procedure), [this, handler] { (this->*handler)(); }); };
    };
    connect(cboemployee, &QComboBox::currentIndexChanged, this, handle("cboemployee_Click ", &frmReimbursement::cboemployee_Click));
    connect(cbotype, &QComboBox::currentIndexChanged, this, handle("cbotype_Click ", &frmReimbursement::cbotype_Click));
    connect(cboCurrency, &QComboBox::currentIndexChanged, this, handle("cboCurrency_Click ", &frmReimbursement::cboCurrency_Click));
    connect(mnuadd, &QAction::triggered, this, handle("mnuadd_Click ", &frmReimbursement::mnuadd_Click));
    connect(mnuedit, &QAction::triggered, this, handle("mnuedit_Click ", &frmReimbursement::mnuedit_Click));
    connect(mnudelete, &QAction::triggered, this, handle("mnudelete_Click ", &frmReimbursement::mnudelete_Click));
    connect(cmdOk, &QPushButton::clicked, this, &frmReimbursement::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmReimbursement::cmdCancel_Click);
}

void frmReimbursement::Form_Load() {
    objCommonGen = createObject<CommonModule::clsCommonGen>("CommonModule.clsCommonGen");
    objCommonDB = createObject<CommonModule::clsCommonDB>("CommonModule.clsCommonDB");
    objCommonDB->setadocon(context_.gAdoCon());
    blnFirstActivate = true;

    const TableNames& tables = context_.tables;
    const std::int16_t company = context_.gintCompanyID;
    objCommonDB->setstrTablename(tables[QStringLiteral("pSettings")]);
    const QString sanctionDesignations =
        objCommonDB->fnReturnField(QStringLiteral("SanctionDesginations"), settingsCondition(company));

    dtpdate->setDate(context_.gdtProcessDate);

    objCommonDB->setstrTablename(tables[QStringLiteral("pemployee")]);
    objCommonDB->populateComboorList(cboemployee, QStringLiteral("eEmpId"), QStringLiteral("ename"),
                                     employeeCondition(company));
    objCommonDB->setstrTablename(tables[QStringLiteral("pemployee")]);
    try {
        objCommonDB->populateComboorList(cboapproved, QStringLiteral("eEmpId"), QStringLiteral("ename"),
                                         approverCondition(company, sanctionDesignations));
    } catch (const adodb::Error& error) {
        // The designation list goes into the statement as it stands; say which
        // setting made it fail.
        throw adodb::Error(error.Number(), error.Source(),
                           QStringLiteral("The approvers could not be listed for the sanction designations \"") +
                               sanctionDesignations + QStringLiteral("\": ") + error.Description());
    }

    // An existing claim keeps its date.
    if (context_.strMode == QLatin1String("E"))
        dtpdate->setEnabled(false);
    SetHelpFile();
}

void frmReimbursement::runHandler(const QString& procedure, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& exception) {
        if (isVisible())
            WriteErrorLog(QStringLiteral("frmReimbursement"), procedure, toError(exception));
        else if (!hiddenFailure_)
            hiddenFailure_ = toError(exception);
    }
}

void frmReimbursement::rethrowHiddenFailure() {
    if (!hiddenFailure_)
        return;
    const adodb::Error failure = *hiddenFailure_;
    hiddenFailure_.reset();
    throw failure;
}

QTreeWidgetItem* frmReimbursement::selectedLine() const {
    if (lvwdetails->topLevelItemCount() == 0)
        return nullptr;
    if (!lvwdetails->currentItem())
        lvwdetails->setCurrentItem(lvwdetails->topLevelItem(0));
    return lvwdetails->currentItem();
}

QString frmReimbursement::registerClaimIdText() const {
    FrmMaster* master = context_.frmMaster;
    if (!master)
        return QString();
    return master->flexMaster->TextMatrix(master->flexMaster->Row(), 0);
}

}  // namespace ZQ5Reimbursement
