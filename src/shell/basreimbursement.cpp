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
constexpr uint keyDelete = 127;

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
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            int keyAscii = keyEnter;
            filter_(keyAscii);
            return true;  // Enter is the filter's alone, so that it never presses a dialog's default button
        }
        // Code points, not UTF-16 units: an emoji is one character. Keys
        // without one (arrows, Delete's 127) reach the control unfiltered;
        // every other character, control or format character too, is filtered.
        const QList<uint> characters = key->text().toUcs4();
        if (characters.isEmpty() || (characters.size() == 1 && characters.first() == keyDelete))
            return false;
        if (characters.size() == 1) {
            const int original = int(characters.first());
            int keyAscii = original;
            filter_(keyAscii);
            if (keyAscii == original)
                return false;
            deliver(watched, key, keyAscii);
            return true;
        }
        // Several characters in one key (an input method's): each is filtered
        // and typed in turn, so that the filter sees those before it.
        for (const uint character : characters) {
            int keyAscii = int(character);
            filter_(keyAscii);
            deliver(watched, key, keyAscii);
        }
        return true;
    }

private:
    // Types `keyAscii` in place of the original key; 0 and Enter type nothing.
    void deliver(QObject* control, const QKeyEvent* original, int keyAscii) {
        if (keyAscii == 0 || keyAscii == keyEnter)
            return;
        const char32_t character = char32_t(keyAscii);
        QKeyEvent replacement(QEvent::KeyPress, int(QChar::toUpper(character)), original->modifiers(),
                              QString::fromUcs4(&character, 1));
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

const char* const tagProperty = "tag";

}  // namespace

QString trimBlanks(const QString& text) { return text.trimmed(); }

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
