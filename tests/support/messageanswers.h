// Answers message boxes as a person would, several in turn or any that come
// up for a while, recording what each showed.
#pragma once

#include "uidriver.h"

#include <QPushButton>
#include <QList>
#include <QTest>

#include <memory>

namespace messageanswers {

inline bool isMessageBox(QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; }

inline void answer(QWidget* w, QMessageBox::StandardButton button, SeenMessage& seen) {
    auto* box = qobject_cast<QMessageBox*>(w);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    seen.defaultButton = box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
    seen.shown = true;
    QAbstractButton* pressed = box->button(button);
    QTest::mouseClick(pressed ? pressed : box->buttons().constFirst(), Qt::LeftButton);
}

inline void answerInTurn(const QList<std::shared_ptr<SeenMessage>>& seen,
                         const QList<QMessageBox::StandardButton>& answers, int next) {
    whenModal(isMessageBox, [=](QWidget* w) {
        // The following box may come up while this one is being answered.
        if (next + 1 < answers.size())
            answerInTurn(seen, answers, next + 1);
        answer(w, answers[next], *seen[next]);
    });
}

}  // namespace messageanswers

// Answers the next message boxes in turn, recording what each showed.
inline QList<std::shared_ptr<SeenMessage>> answerMessages(const QList<QMessageBox::StandardButton>& answers) {
    QList<std::shared_ptr<SeenMessage>> seen;
    for (qsizetype i = 0; i < answers.size(); ++i)
        seen << std::make_shared<SeenMessage>();
    messageanswers::answerInTurn(seen, answers, 0);
    return seen;
}

// Records any message box that comes up (answering it with `button`) until destroyed.
class MessageWatch {
public:
    explicit MessageWatch(QMessageBox::StandardButton button = QMessageBox::Ok) {
        whenModal([stopped = stopped_](QWidget* w) { return !*stopped && messageanswers::isMessageBox(w); },
                  [seen = seen_, button](QWidget* w) { messageanswers::answer(w, button, *seen); });
    }
    ~MessageWatch() { *stopped_ = true; }
    const SeenMessage& seen() const { return *seen_; }

private:
    std::shared_ptr<SeenMessage> seen_ = std::make_shared<SeenMessage>();
    std::shared_ptr<bool> stopped_ = std::make_shared<bool>(false);
};
