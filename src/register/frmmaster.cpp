// The register window: its controls, its load and the filling of the grid.
#include "frmmaster.h"

#include "claimlistmodel.h"
#include "claimreport.h"
#include "conversions.h"
#include "registerstatements.h"
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/formcontrols.h"
#include "shell/linktables.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <array>

namespace ZQ5Reimbursement {

namespace {

const QString windowName = QStringLiteral("FrmMaster");
const QColor cancelledColour(255, 0, 0);
constexpr int columnCount = 6;     // the fields the listing writes
constexpr int cancelledField = 5;  // rhcancelled, "Yes" or "No"

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left) {
    auto* command = placed(new QPushButton(caption, parent), name, left, 5355, 1170, 540);
    command->setAutoDefault(false);  // Enter belongs to the grid and the entry fields
    return command;
}

}  // namespace

FrmMaster::FrmMaster(Context& context, QWidget* parent) : QDialog(parent), context_(context) {
    if (!context_.frmMaster)
        context_.frmMaster = this;
    buildControls();
    connectEvents();
    Form_Load();
}

FrmMaster::~FrmMaster() = default;

FrmMaster& FrmMaster::instance(Context& context) {
    if (!context.frmMaster) {
        auto* master = new FrmMaster(context);
        master->setAttribute(Qt::WA_DeleteOnClose);
        context.frmMaster = master;
    }
    return *context.frmMaster;
}

void FrmMaster::buildControls() {
    setObjectName(windowName);
    setWindowTitle(QStringLiteral("Re-imbursement"));
    setFixedSize(twips(7185), twips(6030));
    useFormFont(this);

    flexMaster = placed(new FlexGrid(this), "flexMaster", 45, 0, 7125, 4200);
    fraBrowse = placed(new QGroupBox(QStringLiteral("Browse"), this), "fraBrowse", 45, 4275, 7125, 960);
    optAscend = placed(new QRadioButton(QStringLiteral("Ascending"), fraBrowse), "optAscend", 1080, 195, 1050, 285);
    optAscend->setChecked(true);
    optDescend = placed(new QRadioButton(QStringLiteral("Descending"), fraBrowse), "optDescend", 2475, 195, 1320, 285);
    cboColNames = placed(new QComboBox(fraBrowse), "cboColNames", 3960, 180, 3030, 315);
    lblsearch = placeLabel(fraBrowse, "lblsearch", QStringLiteral("&Search On:"), 135, 600, 810, 195);
    cboSearch = placed(new QComboBox(fraBrowse), "cboSearch", 1050, 540, 2760, 315);
    lblsearch->setBuddy(cboSearch);
    txtsearch = placed(new QLineEdit(fraBrowse), "txtsearch", 3960, 540, 3030, 315);
    txtsearch->setMaxLength(50);

    cmdnew = button(this, "cmdnew", QStringLiteral("&New"), 45);
    CmdEdit = button(this, "CmdEdit", QStringLiteral("&Edit"), 1215);
    CmdDelete = button(this, "CmdDelete", QStringLiteral("&Delete"), 2385);
    cmdPrint = button(this, "cmdPrint", QStringLiteral("&Preview"), 3555);
    CmdClose = button(this, "CmdClose", QStringLiteral("&Close"), 6000);
    crpReimbursement = new ClaimReport(context_.gAdoCon(), context_.tables, this);

    const QList<QWidget*> tabOrder{cmdnew, CmdEdit, CmdDelete, cmdPrint, CmdClose, flexMaster,
                                   optAscend, optDescend, cboColNames, cboSearch, txtsearch};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void FrmMaster::Form_Load() {
    try {
        objCommonGen = createObject<CommonModule::clsCommonGen>("CommonModule.clsCommonGen");
        objCommonDB = createObject<CommonModule::clsCommonDB>("CommonModule.clsCommonDB");
        GetLinkTables(context_, *objCommonDB);
        objCommonDB->setadocon(context_.gAdoCon());
        objCommonDB->setstrTablename(context_.tables[QStringLiteral("pSettings")]);
        const std::int16_t days = toInteger16(
            objCommonDB->fnReturnField(QStringLiteral("NoOfPreviousDays"), listingPeriodCondition(context_.gintCompanyID)));
        context_.strListSQL = listingStatement(context_.tables, context_.gintCompanyID, days, context_.gdtProcessDate);
        NameGrid(context_.tables[QStringLiteral("pReimburseHeader")]);
        flexMaster->setColAlignment(1, Qt::AlignLeft | Qt::AlignVCenter);
        flexMaster->setColAlignment(2, Qt::AlignLeft | Qt::AlignVCenter);
        flexMaster->setColWidth(1, 1500);
        flexMaster->setColWidth(2, 2000);
        flexMaster->setColWidth(3, 1000);
        FillGrid(context_.strListSQL);
        blnGridReady = true;
        SecurityCheck(context_.glngInterfaceID);
    } catch (const std::exception& exception) {
        WriteErrorLog(windowName, QStringLiteral("Form_Load "), toError(exception), true);
        SetHelpFile();
    }
}

void FrmMaster::NameGrid(const QString& strtable) {
    adodb::Recordset layout;
    layout.Open(nameGridStatement(context_.tables, strtable), context_.gAdoCon());
    QString format;
    {
        const QSignalBlocker sortBlocker(cboColNames);
        const QSignalBlocker searchBlocker(cboSearch);
        for (; !layout.isEOF(); layout.MoveNext()) {
            const QString caption = layout.Fields(QStringLiteral("ColumnHeader")).textOrEmpty();
            const qlonglong padding = layout.Fields(QStringLiteral("ColumnLength")).text().toLongLong();
            if (padding < 0)
                raiseRegisterError(errInvalidCall);
            format += caption + QString(padding, QLatin1Char(' ')) + QLatin1Char('|');
            if (padding > 0) {
                const int column = layout.Fields(QStringLiteral("columnid")).Value().toInt() - 1;
                cboColNames->addItem(caption, column);
                cboSearch->addItem(caption, column);
            }
        }
        cboColNames->setCurrentIndex(-1);
        cboSearch->setCurrentIndex(-1);
    }
    layout.Close();
    if (format.isEmpty())
        raiseRegisterError(errInvalidCall);  // nothing to remove the last separator from
    format.chop(1);
    flexMaster->setFormatString(format);
    flexMaster->setColWidth(0, 0);
}

void FrmMaster::FillGrid(const QString& sql) {
    adodb::Recordset claims;
    claims.Open(sql, context_.gAdoCon());
    {
        // A wider counter than the 16 bits that once stopped the fill at 32,767 claims.
        ClaimListModel::BulkFill bulk(*flexMaster->claimModel());
        std::array<std::string_view, columnCount> texts;
        for (int row = 1; !claims.isEOF(); claims.MoveNext(), ++row) {
            if (row != 1)
                flexMaster->claimModel()->appendRow();
            // Texts go into the grid as the recordset has them in UTF-8, with no QString between.
            claims.fieldTextsUtf8(texts);
            if (texts[cancelledField] == "Yes")
                flexMaster->setRowForeColor(flexMaster->Rows() - 1, cancelledColour);
            flexMaster->setRowTextMatrixUtf8(row, texts);
        }
    }
    flexMaster->setRow(flexMaster->Rows() - 1);
    flexMaster->selectCurrentRow();
}

void FrmMaster::CmdClose_Click() { close(); }

}  // namespace ZQ5Reimbursement
