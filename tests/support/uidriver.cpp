#include "uidriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

void poll(std::shared_ptr<QElapsedTimer> clock, std::function<bool(QWidget*)> match,
          std::function<void(QWidget*)> act, int timeoutMs) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && match(modal)) {
        act(modal);
        return;
    }
    if (clock->elapsed() > timeoutMs) {
        qWarning("whenModal: no matching modal window within %d ms", timeoutMs);
        return;
    }
    QTimer::singleShot(10, [=] { poll(clock, match, act, timeoutMs); });
}

}  // namespace

void whenModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> act, int timeoutMs) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QTimer::singleShot(0, [=] { poll(clock, match, act, timeoutMs); });
}

std::shared_ptr<SeenMessage> answerNextMessageBox(QMessageBox::StandardButton button) {
    auto seen = std::make_shared<SeenMessage>();
    whenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
              [seen, button](QWidget* w) {
                  auto* box = qobject_cast<QMessageBox*>(w);
                  seen->title = box->windowTitle();
                  seen->text = box->text();
                  seen->icon = box->icon();
                  seen->buttons = box->standardButtons();
                  seen->defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton())
                                                             : QMessageBox::NoButton;
                  seen->shown = true;
                  if (button == QMessageBox::NoButton)
                      QTest::keyClick(box, Qt::Key_Return);
                  else
                      QTest::mouseClick(box->button(button), Qt::LeftButton);
              });
    return seen;
}

void whenDialog(const QString& name, std::function<void(QWidget*)> act, int timeoutMs) {
    whenModal([name](QWidget* w) { return w->objectName() == name; }, std::move(act), timeoutMs);
}

void closeAllWindows() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
            dialog->reject();
}
