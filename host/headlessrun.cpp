#include "headlessrun.h"

#include "register/flexgrid.h"
#include "register/frmmaster.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include <cstdio>

HeadlessRun::HeadlessRun(QString screenshotDir) : screenshotDir_(std::move(screenshotDir)) {
    connect(&timer_, &QTimer::timeout, this, &HeadlessRun::poll);
    timer_.start(50);
}

void HeadlessRun::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    // Nobody is there to answer: report the message and take its default answer.
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        std::printf("Message \"%s\": %s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
        std::fflush(stdout);
        QAbstractButton* answer = box->defaultButton() ? static_cast<QAbstractButton*>(box->defaultButton())
                                                       : box->escapeButton();
        if (answer)
            answer->click();
        else
            box->close();
        return;
    }
    if (modal->objectName() == QLatin1String("FrmMaster") && !captured_)
        capture(modal);
}

void HeadlessRun::capture(QWidget* master) {
    timer_.stop();
    QDir().mkpath(screenshotDir_);
    const QString file = QDir(screenshotDir_).filePath(QStringLiteral("FrmMaster.png"));
    captured_ = master->grab().save(file, "PNG");
    std::printf("Screenshot: %s%s\n", qPrintable(file), captured_ ? "" : " (could not be saved)");

    if (auto* grid = master->findChild<ZQ5Reimbursement::FlexGrid*>(QStringLiteral("flexMaster"))) {
        std::printf("Register rows (header first):\n");
        for (int row = 0; row < grid->Rows(); ++row) {
            QStringList cells;
            for (int col = 0; col < grid->Cols(); ++col)
                cells << grid->TextMatrix(row, col).trimmed();
            std::printf("%s\n", qPrintable(cells.join(QStringLiteral(" | "))));
        }
    }
    std::fflush(stdout);
    master->close();
}
