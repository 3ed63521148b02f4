// Answers message boxes as a person would, recording what each showed.
#pragma once

#include "uidriver.h"

#include <QList>
#include <QMessageBox>
#include <QStringList>

#include <memory>

// While alive, answers every message box that comes up with the next of its
// answers (the last one repeats; NoButton presses Enter) and records what each box showed. The newest
// live watch answers; once destroyed it answers nothing more, so it cannot
// reach into the next test.
class MessageWatch {
public:
    MessageWatch(QList<QMessageBox::StandardButton> answers = {QMessageBox::Ok});
    MessageWatch(QMessageBox::StandardButton answer) : MessageWatch(QList<QMessageBox::StandardButton>{answer}) {}
    ~MessageWatch();
    MessageWatch(const MessageWatch&) = delete;
    MessageWatch& operator=(const MessageWatch&) = delete;

    int count() const { return int(seen_.size()); }
    // The i-th box seen; an empty record (shown false) when fewer came up.
    const SeenMessage& operator[](int i) const;
    const SeenMessage& seen() const { return (*this)[0]; }
    QStringList texts() const;

    // Answers `box`; used by the watcher that finds it.
    void answer(QMessageBox* box);

private:
    QList<QMessageBox::StandardButton> answers_;
    QList<SeenMessage> seen_;
};

// While enabled, a message box that no watch answers fails the running test
// and is closed, so a missing answer fails fast instead of hanging.
void setStrayMessagesFail(bool enabled);
