// Procedures shared by the windows: key handling, blank checks, the control
// snapshot for unsaved changes, the error log, the help file, amounts as text,
// message boxes and the hourglass pointer.
#pragma once

#include <ZQ5Reimbursement/adodb.h>

#include <QMessageBox>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace ZQ5Reimbursement {

// Enter (13) posts a Tab to the focused widget; minus (45) becomes 0.
void KeyEnterToTab(int& keyAscii);
// Applies `filter` to each key press of `control`, as its character code
// (Enter and Return are 13; keys without a character pass unfiltered). A code
// set to 0 discards the key, another code is typed instead. Enter goes no
// further than the filter, so it never presses a dialog's default button.
void installKeyPressFilter(QWidget* control, std::function<void(int& keyAscii)> filter);

// The text without the white space before and after it: every Unicode
// blank (tab, no-break space, ideographic space ...). The one rule for what
// counts as blank and for what is stored.
QString trimBlanks(const QString& text);
// False, after the message and moving the focus, when the control's text is blank.
bool fnIsFilled(QWidget* control, const QString& message, const QString& title);
// Stores each text box's (QLineEdit, QPlainTextEdit), combo's (current text),
// check box's (0, 1, 2) and option button's (-1 checked, 0 not) value in its
// "tag" property; IsFormChanged compares against it, ignoring leading and
// trailing blanks. The line edits inside date pickers and combos do not count.
void SaveControlValues(QWidget* window);
bool IsFormChanged(QWidget* window);

// Appends one line to the error log beside the library and, with `show` and a
// non-zero number, shows the clerkMessage of the error. A failing user-name
// lookup leaves the line's user empty; for a database that is busy the name
// is not looked up again but taken from an earlier line, if any.
void WriteErrorLog(const QString& formName, std::int16_t userId, const QString& procedureName,
                   const QString& mode, long number, const QString& source,
                   const QString& description, bool show);
// The same for a caught error, with the host context's user and mode.
void WriteErrorLog(const QString& formName, const QString& procedureName, const adodb::Error& error,
                   bool show = true);
// Converts any exception to an adodb::Error (std::exception's text as the description).
adodb::Error toError(const std::exception& exception);
// What a clerk is shown for an error. An engine's own text tells a clerk
// nothing: a database failure becomes a sentence saying what failed (by the
// procedure's name) and what to do, while the log keeps the engine's text.
// Other errors are the module's own words and are shown as they are.
QString clerkMessage(const QString& procedureName, const adodb::Error& error);
// For the procedures that show their failures instead of logging them: the
// clerkMessage as information; a database failure is logged too, unshown,
// so that the engine's text is kept.
void showFailure(QWidget* parent, const QString& formName, const QString& procedureName, const adodb::Error& error);

// The folder of the component's own library file.
QString componentFolder();
// Points the application's help file at Help/helpfile.hlp beside the library
// (the application's "helpFile" property) and makes F1 open it, when it exists.
void SetHelpFile();
QString helpFile();

// The numeric value of a text: its leading number (optional sign, digits,
// one decimal point), 0 when there is none.
double numericValue(const QString& text);
// The amount a text holds for the checks and the write alike: its numeric
// value, or none when the number carries an exponent, is not finite, or
// takes more than the ten characters a stored amount is read back in.
std::optional<double> storableAmount(const QString& text);
// The refusal of such a text, naming the amount.
QString amountTooLargeMessage(const QString& text);
// "0.00": two decimals, no thousands separator.
QString formatAmount(double value);
// The plain shortest decimal text of a value ("4850", "12.5").
QString plainNumber(double value);

// A modal QMessageBox titled with the host context's title unless `title` is given.
QMessageBox::StandardButton showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton showMessageTitled(QWidget* parent, const QString& title, const QString& text,
                                              QMessageBox::Icon icon,
                                              QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                              QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The hourglass pointer for a scope; restored however the scope ends.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    void restore();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool active_ = true;
};

// Twips to device-independent pixels (15 twips a pixel).
constexpr int twips(int value) { return value / 15; }

}  // namespace ZQ5Reimbursement
