// Drives modal windows and message boxes the way a person would: a timer
// scheduled before the modal call finds the window and acts on it.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

// Runs `act` on the next modal dialog whose objectName is `name`.
void whenDialog(const QString& name, std::function<void(QWidget*)> act, int timeoutMs = 5000);

// Runs `trigger`; while it runs, `act` is done on the modal window named
// `name` when it comes up. False when it did not come up.
bool duringModal(const QString& name, const std::function<void(QWidget*)>& act, const std::function<void()>& trigger);

// Closes every top-level window left open, so one test cannot leak into the next.
void closeAllWindows();

// What a message box showed before it was answered.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// While alive, answers each message box with the next of its answers (the
// last repeats; NoButton presses Enter) and records what it showed. The newest
// live watch answers; once destroyed it answers nothing, so it cannot reach
// into the next test.
class MessageWatch {
public:
    MessageWatch(QList<QMessageBox::StandardButton> answers = {QMessageBox::Ok});
    MessageWatch(QMessageBox::StandardButton answer) : MessageWatch(QList<QMessageBox::StandardButton>{answer}) {}
    ~MessageWatch();
    MessageWatch(const MessageWatch&) = delete;
    MessageWatch& operator=(const MessageWatch&) = delete;

    int count() const { return int(seen_.size()); }
    const SeenMessage& operator[](int i) const;  // an empty record when fewer came up
    const SeenMessage& seen() const { return (*this)[0]; }
    QStringList texts() const;
    void answer(QMessageBox* box);

private:
    QList<QMessageBox::StandardButton> answers_;
    QList<SeenMessage> seen_;
};

// While enabled, a message box no watch answers fails the running test and is
// closed, so a missing answer fails fast instead of hanging.
void setStrayMessagesFail(bool enabled);
