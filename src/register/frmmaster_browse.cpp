// The register's events: the grid's mouse and keys, the sort and the
// incremental search of the Browse frame.
#include "frmmaster.h"

#include "gridsearch.h"
#include "shell/basreimbursement.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QSignalBlocker>

namespace ZQ5Reimbursement {

namespace {
constexpr int keyEnter = 13;
constexpr int keyCtrlEnter = 10;
}

void FrmMaster::connectEvents() {
    const auto command = [this](QPushButton* button, const QString& procedure, void (FrmMaster::*handler)()) {
        connect(button, &QPushButton::clicked, this, [=, this] { runTrapped(procedure, [=, this] { (this->*handler)(); }); });
    };
    command(cmdnew, QStringLiteral("cmdnew_Click "), &FrmMaster::cmdnew_Click);
    command(CmdEdit, QStringLiteral("CmdEdit_Click "), &FrmMaster::CmdEdit_Click);
    command(CmdDelete, QStringLiteral("CmdDelete_Click "), &FrmMaster::CmdDelete_Click);
    command(cmdPrint, QStringLiteral("cmdPrint_Click "), &FrmMaster::cmdPrint_Click);
    command(CmdClose, QStringLiteral("CmdClose_Click "), &FrmMaster::CmdClose_Click);

    connect(flexMaster, &FlexGrid::Click, this, &FrmMaster::flexMaster_Click);
    connect(flexMaster, &FlexGrid::currentCellChanged, this, [this] {
        if (blnGridReady)
            flexMaster_Click();
    });
    connect(flexMaster, &FlexGrid::DblClick, this, [this] {
        runTrapped(QStringLiteral("flexMaster_DblClick "), [this] { editClaimOnCurrentRow(); });
    });
    connect(flexMaster, &FlexGrid::KeyDown, this, [this](int key) {
        runTrapped(QStringLiteral("flexMaster_KeyDown "), [=, this] { flexMaster_KeyDown(key); });
    });
    connect(flexMaster, &FlexGrid::KeyPress, this, [this](int keyAscii) {
        runTrapped(QStringLiteral("flexMaster_KeyPress "), [=, this] { flexMaster_KeyPress(keyAscii); });
    });

    connect(cboColNames, &QComboBox::currentIndexChanged, this, [this] {
        runTrapped(QStringLiteral("cboColNames_Click "), [this] { cboColNames_Click(); });
    });
    // A new order takes effect at the next pick of a sort column.
    for (QRadioButton* option : {optAscend, optDescend})
        connect(option, &QRadioButton::clicked, this, [this] {
            const QSignalBlocker blocker(cboColNames);
            cboColNames->setCurrentIndex(-1);
        });
    txtsearch->installEventFilter(this);

    for (QWidget* control : QList<QWidget*>{cboColNames, cboSearch, optAscend, optDescend, txtsearch})
        installKeyPressFilter(control, [](int& keyAscii) {
            if (keyAscii == keyEnter)
                KeyEnterToTab(keyAscii);
        });
    auto* toGrid = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    connect(toGrid, &QShortcut::activated, flexMaster, [this] { flexMaster->setFocus(); });
}

void FrmMaster::runTrapped(const QString& procedure, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& exception) {
        const adodb::Error error = toError(exception);
        try {
            WriteErrorLog(objectName(), procedure, error, true);
        } catch (const std::exception&) {
            // The log itself failed (database gone): the user still learns what went wrong.
            showMessage(this, clerkMessage(procedure, error), QMessageBox::Warning);
        }
    }
}

void FrmMaster::keyPressEvent(QKeyEvent* event) {
    // The register has no default or cancel button: Enter and Esc close nothing.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

bool FrmMaster::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtsearch && event->type() == QEvent::KeyRelease && cboSearch->currentIndex() >= 0
        && !txtsearch->text().trimmed().isEmpty())
        runTrapped(QStringLiteral("txtsearch_KeyUp "), [this] { SearchGrid(); });
    return QDialog::eventFilter(watched, event);
}

void FrmMaster::editClaimOnCurrentRow() {
    if (!flexMaster->TextMatrix(flexMaster->Row(), 0).isEmpty())
        CmdEdit_Click();
}

void FrmMaster::flexMaster_KeyDown(int key) {
    if (key == Qt::Key_Delete && !flexMaster->TextMatrix(flexMaster->Row(), 0).isEmpty() && CmdDelete->isEnabled())
        CmdDelete_Click();
}

void FrmMaster::flexMaster_KeyPress(int keyAscii) {
    if (keyAscii == keyEnter && CmdEdit->isEnabled())
        editClaimOnCurrentRow();
    else if (keyAscii == keyCtrlEnter && cmdnew->isEnabled())
        cmdnew_Click();
}

void FrmMaster::cboColNames_Click() {
    blnGridReady = false;
    const auto ready = qScopeGuard([this] { blnGridReady = true; });
    WaitCursor hourglass;
    if (cboColNames->currentIndex() >= 0) {
        // The date text does not sort as a date; the claim number follows the dates.
        const int key = cboColNames->currentText().contains(QLatin1String("date"), Qt::CaseInsensitive)
                            ? 1
                            : cboColNames->currentData().toInt();
        flexMaster->setCol(key);
        flexMaster->Sort(key, optAscend->isChecked() ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    hourglass.restore();
    flexMaster->setRow(flexMaster->Rows() - 1);
    flexMaster->setTopRow(flexMaster->Row());
    flexMaster->selectCurrentRow();
}

void FrmMaster::SearchGrid() {
    if (cboSearch->currentIndex() < 0)
        return;
    const int key = cboSearch->currentData().toInt();
    flexMaster->setCol(key);
    flexMaster->Sort(key, Qt::AscendingOrder);
    const qint64 found = findFirstRow([this, key](qint64 row) { return flexMaster->TextMatrix(int(row), key); }, 1,
                                      flexMaster->Rows() - 1, txtsearch->text());
    if (found < 0)
        return;
    flexMaster->setRow(int(found));
    flexMaster->selectCurrentRow();
    flexMaster->setTopRow(int(found));
}

}  // namespace ZQ5Reimbursement
