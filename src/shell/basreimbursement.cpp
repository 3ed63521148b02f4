#include "basreimbursement.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace ZQ5Reimbursement {

namespace {

constexpr int keyEnter = 13;
constexpr int keyMinus = 45;

void postKey(QWidget* receiver, QEvent::Type type, Qt::Key key) {
    QCoreApplication::postEvent(receiver, new QKeyEvent(type, key, Qt::NoModifier));
}

// Runs a key filter on a control's key presses, as their character codes.
class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QWidget* control, std::function<void(int&)> filter)
        : QObject(control), filter_(std::move(filter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || delivering_)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // Keys without a character (arrows, Delete's 127) reach the control
        // unfiltered; control characters below 32 are filtered like any other.
        const bool character =
            key->text().size() == 1 && (key->text().at(0).unicode() < 32 || key->text().at(0).isPrint());
        if (!enter && !character)
            return false;
        const int original = enter ? keyEnter : key->text().at(0).unicode();
        int keyAscii = original;
        filter_(keyAscii);
        // Enter is the filter's alone, so that it never presses a dialog's default button.
        if (keyAscii == 0 || keyAscii == keyEnter)
            return true;
        if (keyAscii != original) {
            deliver(watched, key, QChar(keyAscii));
            return true;
        }
        return false;
    }

private:
    void deliver(QObject* control, const QKeyEvent* original, QChar character) {
        QKeyEvent replacement(QEvent::KeyPress, character.toUpper().unicode(), original->modifiers(),
                              QString(character));
        delivering_ = true;
        QCoreApplication::sendEvent(control, &replacement);
        delivering_ = false;
    }

    std::function<void(int&)> filter_;
    bool delivering_ = false;
};

// The kinds of entry control that take part in the snapshot.
enum class ControlKind { Other, Text, Value };

ControlKind kindOf(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
        // Date pickers and combos carry a line edit of their own; it is part of them.
        const QWidget* owner = edit->parentWidget();
        if (qobject_cast<const QAbstractSpinBox*>(owner) || qobject_cast<const QComboBox*>(owner))
            return ControlKind::Other;
        return ControlKind::Text;
    }
    if (qobject_cast<const QPlainTextEdit*>(control) || qobject_cast<const QComboBox*>(control))
        return ControlKind::Text;
    if (qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control))
        return ControlKind::Value;
    return ControlKind::Other;
}

QString controlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(control))
        return edit->toPlainText();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return {};
}

// A check box's 0 unchecked, 1 checked, 2 grey; an option button's -1 (True) or 0 (False).
int controlValue(const QWidget* control) {
    if (auto* check = qobject_cast<const QCheckBox*>(control)) {
        switch (check->checkState()) {
        case Qt::Unchecked: return 0;
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        }
    }
    if (auto* option = qobject_cast<const QRadioButton*>(control))
        return option->isChecked() ? -1 : 0;
    return 0;
}

// Leading and trailing blanks removed; other white space is kept.
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

const char* const tagProperty = "tag";

}  // namespace

void KeyEnterToTab(int& keyAscii) {
    if (keyAscii == keyEnter) {
        if (QWidget* focused = QApplication::focusWidget()) {
            postKey(focused, QEvent::KeyPress, Qt::Key_Tab);
            postKey(focused, QEvent::KeyRelease, Qt::Key_Tab);
        }
    } else if (keyAscii == keyMinus) {
        keyAscii = 0;
    }
}

void installKeyPressFilter(QWidget* control, std::function<void(int& keyAscii)> filter) {
    control->installEventFilter(new KeyPressFilter(control, std::move(filter)));
}

bool fnIsFilled(QWidget* control, const QString& message, const QString& title) {
    if (!trimBlanks(controlText(control)).isEmpty())
        return true;
    showMessageTitled(control->window(), title, message, QMessageBox::Information);
    control->setFocus();
    return false;
}

void SaveControlValues(QWidget* window) {
    for (QWidget* control : window->findChildren<QWidget*>()) {
        switch (kindOf(control)) {
        case ControlKind::Text:
            control->setProperty(tagProperty, controlText(control));
            break;
        case ControlKind::Value:
            control->setProperty(tagProperty, QString::number(controlValue(control)));
            break;
        case ControlKind::Other:
            break;
        }
    }
}

bool IsFormChanged(QWidget* window) {
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        const QString tag = control->property(tagProperty).toString();
        switch (kindOf(control)) {
        case ControlKind::Text:
            if (trimBlanks(controlText(control)) != trimBlanks(tag))
                return true;
            break;
        case ControlKind::Value:
            if (controlValue(control) != numericValue(tag))
                return true;
            break;
        case ControlKind::Other:
            break;
        }
    }
    return false;
}

}  // namespace ZQ5Reimbursement
