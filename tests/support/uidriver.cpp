#include "uidriver.h"

#include <QtTest>
#include <QtWidgets>

#include <vector>

namespace {

void poll(QDeadlineTimer deadline, std::function<bool(QWidget*)> match, std::function<void(QWidget*)> act) {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && match(modal))
        act(modal);
    else if (!deadline.hasExpired())
        QTimer::singleShot(10, [=] { poll(deadline, match, act); });
}

// Polls the event loop for an active modal widget that satisfies `match`.
void whenModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> act, int timeoutMs = 5000) {
    QTimer::singleShot(0, [=, deadline = QDeadlineTimer(timeoutMs)] { poll(deadline, match, act); });
}

// One timer watches for message boxes on behalf of every live watch.
struct MessageWatcher {
    std::vector<MessageWatch*> watches;
    bool strayFails = false;
    QPointer<QTimer> timer;

    void ensureRunning() {
        if (timer || !qApp)
            return;
        timer = new QTimer(qApp);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [this] { look(); });
        timer->start();
    }

    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->property("zq5Answered").toBool())
            return;
        box->setProperty("zq5Answered", true);
        if (!watches.empty()) {
            watches.back()->answer(box);
        } else if (strayFails) {
            const QByteArray text = box->text().toUtf8();
            box->reject();
            QTest::qFail(("unexpected message box: " + text).constData(), __FILE__, __LINE__);
        } else {
            box->setProperty("zq5Answered", false);
        }
    }
};

MessageWatcher& watcher() {
    static MessageWatcher instance;
    return instance;
}

}  // namespace


bool duringModal(const QString& name, const std::function<void(QWidget*)>& act, const std::function<void()>& trigger) {
    bool opened = false;
    // The watch ends with the trigger, so it cannot act on a later window.
    const auto finished = std::make_shared<bool>(false);
    whenModal([finished, name](QWidget* w) { return !*finished && w->objectName() == name; },
              [&](QWidget* dialog) {
                  opened = true;
                  act(dialog);
              });
    trigger();
    *finished = true;
    return opened;
}

void whenDialog(const QString& name, std::function<void(QWidget*)> act, int timeoutMs) {
    whenModal([name](QWidget* w) { return w->objectName() == name; }, std::move(act), timeoutMs);
}

void closeAllWindows() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
            dialog->reject();
}

MessageWatch::MessageWatch(QList<QMessageBox::StandardButton> answers) : answers_(std::move(answers)) {
    watcher().watches.push_back(this);
    watcher().ensureRunning();
}

MessageWatch::~MessageWatch() { std::erase(watcher().watches, this); }

const SeenMessage& MessageWatch::operator[](int i) const {
    static const SeenMessage none;
    return i >= 0 && i < seen_.size() ? seen_[i] : none;
}

QStringList MessageWatch::texts() const {
    QStringList result;
    for (const SeenMessage& s : seen_)
        result << s.text;
    return result;
}

void MessageWatch::answer(QMessageBox* box) {
    seen_ << SeenMessage{box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                         box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton};
    const QMessageBox::StandardButton button = answers_.value(seen_.size() - 1, answers_.value(answers_.size() - 1));
    if (button == QMessageBox::NoButton) {  // Enter, on whatever is the default
        QTest::keyClick(box, Qt::Key_Return);
        return;
    }
    QAbstractButton* pressed = box->button(button);
    QTest::mouseClick(pressed ? pressed : box->buttons().constFirst(), Qt::LeftButton);
}

void setStrayMessagesFail(bool enabled) {
    watcher().strayFails = enabled;
    watcher().ensureRunning();
}
