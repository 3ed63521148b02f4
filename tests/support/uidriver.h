// Drives modal windows the way a person would: a timer scheduled before the
// modal call finds the window and acts on it.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <functional>

// What a message box showed before it was answered.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool shown = false;
};

// Waits (polling the event loop from a timer) for the active modal widget to
// satisfy `match`, then runs `act` on it. Gives up after `timeoutMs`.
void whenModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> act, int timeoutMs = 5000);

// Runs `act` on the next modal dialog whose objectName is `name`.
void whenDialog(const QString& name, std::function<void(QWidget*)> act, int timeoutMs = 5000);

// Runs `trigger`; while it runs, `act` is done on the modal window named
// `name` when it comes up. False when it did not come up.
bool duringModal(const QString& name, const std::function<void(QWidget*)>& act, const std::function<void()>& trigger);

// Closes every top-level window left open, so one test cannot leak into the next.
void closeAllWindows();
