// Drives modal windows and message boxes the way a person would: a timer
// scheduled before the modal call finds the window and acts on it.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

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
void whenModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> act,
               int timeoutMs = 5000);

// Answers the next message box with `button` (Enter on the default when
// NoButton), recording what it showed.
std::shared_ptr<SeenMessage> answerNextMessageBox(QMessageBox::StandardButton button = QMessageBox::Ok);

// Runs `act` on the next modal dialog whose objectName is `name`.
void whenDialog(const QString& name, std::function<void(QWidget*)> act, int timeoutMs = 5000);

// Closes every top-level window left open, so one test cannot leak into the next.
void closeAllWindows();
