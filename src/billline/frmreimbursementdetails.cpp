#include "frmreimbursementdetails.h"

#include "claim/frmreimbursement.h"
#include "shell/formcontrols.h"
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

namespace ZQ5Reimbursement {

namespace {

QPushButton* button(QWidget* parent, const char* name, int left, int width) {
    QPushButton* control = place<QPushButton>(parent, name, left, 1620, width, 420);
    // Enter moves between fields; it must never press a button by default.
    control->setAutoDefault(false);
    return control;
}

QPushButton* pictureButton(QWidget* parent, const char* name, int left, QStyle::StandardPixmap picture) {
    QPushButton* control = button(parent, name, left, 480);
    control->setIcon(parent->style()->standardIcon(picture));
    return control;
}

void enableButtons(std::initializer_list<QPushButton*> buttons, bool enabled) {
    for (QPushButton* b : buttons)
        b->setEnabled(enabled);
}

}  // namespace

frmReimbursementDetails::frmReimbursementDetails(Context& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmReimbursementDetails"));
    setWindowTitle(QStringLiteral("Re-imbursement Details"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(5400), twips(2160));
    useFormFont(this);
    buildControls();
    Form_Load();
}

frmReimbursementDetails::~frmReimbursementDetails() = default;

frmReimbursementDetails& frmReimbursementDetails::instance(Context& context) {
    if (!context.frmReimbursementDetailsWindow)
        context.frmReimbursementDetailsWindow =
            new frmReimbursementDetails(context, &frmReimbursement::instance(context));
    return *context.frmReimbursementDetailsWindow;
}

void frmReimbursementDetails::buildControls() {
    fraDetails = place<QGroupBox>(this, "fraDetails", 75, 0, 5250, 1500);
    lblbillno = placeLabel(fraDetails, "lblbillno", QStringLiteral("Bill No."), 120, 300, 900, 195);
    txtbillno = place<QLineEdit>(fraDetails, "txtbillno", 1100, 240, 3975, 315);
    lblamount = placeLabel(fraDetails, "lblamount", QStringLiteral("Amount:"), 120, 690, 900, 195);
    txtamount = place<QLineEdit>(fraDetails, "txtamount", 1100, 630, 2000, 315);
    txtamount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblremarks = placeLabel(fraDetails, "lblremarks", QStringLiteral("Remarks:"), 120, 1080, 900, 195);
    txtremarks = place<QLineEdit>(fraDetails, "txtremarks", 1100, 1020, 3975, 315);

    cmdOk = button(this, "cmdOk", 2895, 1170);
    cmdOk->setText(QStringLiteral("&Ok"));
    cmdCancel = button(this, "cmdCancel", 4155, 1170);
    cmdCancel->setText(QStringLiteral("&Close"));
    cmdFirst = pictureButton(this, "cmdFirst", 75, QStyle::SP_MediaSkipBackward);
    cmdPrevious = pictureButton(this, "cmdPrevious", 555, QStyle::SP_MediaSeekBackward);
    cmdNext = pictureButton(this, "cmdNext", 1035, QStyle::SP_MediaSeekForward);
    cmdLast = pictureButton(this, "cmdLast", 1515, QStyle::SP_MediaSkipForward);

    const QList<QWidget*> tabOrder = {txtbillno, txtamount,  txtremarks,  cmdOk, cmdCancel,
                                      cmdFirst,  cmdPrevious, cmdNext, cmdLast};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    const auto enterToTab = [](int& keyAscii) { KeyEnterToTab(keyAscii); };
    installKeyPressFilter(txtbillno, enterToTab);
    installKeyPressFilter(txtremarks, enterToTab);
    installKeyPressFilter(txtamount, [this](int& keyAscii) {
        KeyEnterToTab(keyAscii);
        objCommonGen->TextValidateNum(txtamount, keyAscii, 18, 2);
        if (keyAscii == '-')
            keyAscii = 0;
    });

    connect(cmdOk, &QPushButton::clicked, this, &frmReimbursementDetails::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmReimbursementDetails::cmdCancel_Click);
    connect(cmdFirst, &QPushButton::clicked, this, &frmReimbursementDetails::cmdFirst_Click);
    connect(cmdPrevious, &QPushButton::clicked, this, &frmReimbursementDetails::cmdPrevious_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmReimbursementDetails::cmdNext_Click);
    connect(cmdLast, &QPushButton::clicked, this, &frmReimbursementDetails::cmdLast_Click);
}

void frmReimbursementDetails::Form_Load() {
    SetHelpFile();
    objCommonGen = createObject<CommonModule::clsCommonGen>("CommonModule.clsCommonGen");
    if (lines().topLevelItemCount() == 0)
        enableButtons({cmdFirst, cmdNext, cmdPrevious, cmdLast}, false);
}

frmReimbursement& frmReimbursementDetails::claim() { return frmReimbursement::instance(context_); }

QTreeWidget& frmReimbursementDetails::lines() { return *claim().lvwdetails; }

int frmReimbursementDetails::selectedRow() {
    return lines().indexOfTopLevelItem(claim().selectedLine()) + 1;
}

void frmReimbursementDetails::cmdOk_Click() {
    frmReimbursement& claimWindow = claim();
    if (lines().topLevelItemCount() > 0)
        enableButtons({cmdFirst, cmdPrevious, cmdNext, cmdLast}, true);
    // Never snapshotted: any non-blank field counts as a change to the claim.
    if (IsFormChanged(this))
        claimWindow.blnDetailChanged = true;
    if (context_.strDetailMode == QLatin1String("A"))
        addLine(claimWindow);
    else
        editLine(claimWindow);
}

void frmReimbursementDetails::refuseAmount(const QString& message) {
    showMessage(this, message, QMessageBox::Information);
    txtamount->setFocus();
}

bool frmReimbursementDetails::exceedsBalance(const frmReimbursement& claimWindow, double increase) {
    if (numericValue(claimWindow.txtbalance->text()) >= increase)
        return false;
    refuseAmount(QStringLiteral("Amount shoud be less than or equal to balance amount"));
    return true;
}

void frmReimbursementDetails::addLine(frmReimbursement& claimWindow) {
    QTreeWidget& list = lines();
    const QString billNo = trimBlanks(txtbillno->text());
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        if (list.topLevelItem(i)->text(1) != billNo)
            continue;
        showMessage(this, QStringLiteral("Bill Number Already Exists ") + txtbillno->text(), QMessageBox::Information);
        txtbillno->setFocus();
        return;
    }
    const QString& title = context_.gstrMsgboxTitle;
    if (!fnIsFilled(txtbillno, QStringLiteral("Enter Bill no"), title) ||
        !fnIsFilled(txtamount, QStringLiteral("Enter Amount"), title))
        return;
    const std::optional<double> amount = storableAmount(txtamount->text());
    if (!amount) {
        refuseAmount(amountTooLargeMessage(txtamount->text()));
        return;
    }
    if (!(*amount > 0)) {
        refuseAmount(QStringLiteral("Amount cannot be zero"));
        return;
    }
    if (numericValue(claimWindow.txtlimit->text()) > 0 && exceedsBalance(claimWindow, *amount))
        return;

    auto* line = new QTreeWidgetItem(&list);
    line->setText(0, QString::number(list.topLevelItemCount()));
    line->setText(1, billNo);
    line->setText(2, formatAmount(*amount));
    line->setText(3, trimBlanks(txtremarks->text()));
    txtbillno->clear();
    txtamount->clear();
    txtremarks->clear();
    CalculateTotals();
    txtbillno->setFocus();
}

void frmReimbursementDetails::editLine(frmReimbursement& claimWindow) {
    QTreeWidgetItem* line = claimWindow.selectedLine();
    if (!line)
        return;
    const std::optional<double> amount = storableAmount(txtamount->text());
    if (!amount) {
        refuseAmount(amountTooLargeMessage(txtamount->text()));
        return;
    }
    if (numericValue(claimWindow.txtlimit->text()) > 0 &&
        exceedsBalance(claimWindow, *amount - numericValue(line->text(2))))
        return;
    if (!(*amount > 0)) {
        refuseAmount(QStringLiteral("Amount cannot be zero"));
        return;
    }
    line->setText(1, trimBlanks(txtbillno->text()));
    line->setText(2, formatAmount(*amount));
    line->setText(3, trimBlanks(txtremarks->text()));
    CalculateTotals();

    const int row = selectedRow();
    if (row + 1 > lines().topLevelItemCount())
        close();
    else
        ShowLine(row + 1);
}

void frmReimbursementDetails::ShowLine(int row) {
    QTreeWidgetItem* line = lines().topLevelItem(row - 1);
    lines().setCurrentItem(line);
    txtbillno->setText(line->text(1));
    txtamount->setText(line->text(2));
    txtremarks->setText(line->text(3));
}

void frmReimbursementDetails::cmdCancel_Click() {
    close();
    claim().cmdOk->setFocus();
}

void frmReimbursementDetails::cmdFirst_Click() {
    if (lines().topLevelItemCount() == 0)
        return;
    ShowLine(1);
    enableButtons({cmdFirst, cmdPrevious}, false);
    enableButtons({cmdLast, cmdNext}, true);
}

void frmReimbursementDetails::cmdLast_Click() {
    const int count = lines().topLevelItemCount();
    if (count == 0)
        return;
    ShowLine(count);
    enableButtons({cmdLast, cmdNext}, false);
    enableButtons({cmdPrevious, cmdFirst}, true);
}

void frmReimbursementDetails::cmdNext_Click() {
    const int count = lines().topLevelItemCount();
    const int row = selectedRow() + 1;
    if (count == 0 || row > count)
        return;
    ShowLine(row);
    if (row == count)
        enableButtons({cmdLast, cmdNext}, false);
    enableButtons({cmdPrevious, cmdFirst}, true);
}

void frmReimbursementDetails::cmdPrevious_Click() {
    const int row = selectedRow() - 1;
    if (lines().topLevelItemCount() == 0 || row < 1)
        return;
    ShowLine(row);
    if (row == 1)
        enableButtons({cmdFirst, cmdPrevious}, false);
    enableButtons({cmdNext, cmdLast}, true);
}

}  // namespace ZQ5Reimbursement
