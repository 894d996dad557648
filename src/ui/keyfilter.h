#pragma once
// Key filters of the number fields.

#include <QObject>
#include <QString>
#include <optional>

class QLineEdit;

namespace ui {

enum class KeyRule {
    // digits, "," and Backspace; a typed "." becomes ","
    DecimalComma,
    // digits and Backspace only
    Digits,
};

// What the rule makes of one typed character: the character to enter, or
// QChar() when the key is discarded. Backspace ('\b') passes.
QChar filterKey(KeyRule rule, QChar typed);

// What the rule makes of a text put in at once (pasted, dropped, composed by
// an input method): blanks around it dropped, each character as typed keys
// would enter it; nothing when a character would have been discarded, so a
// pasted "-3" is refused rather than taken as 3.
std::optional<QString> filterInserted(KeyRule rule, const QString& inserted);

// Installs the filter on a line edit: typed keys, and every other way text
// gets into the field (Ctrl+V, the context menu, the middle button, a drop).
// Texts the program sets itself are not filtered.
void installKeyFilter(QLineEdit* field, KeyRule rule);

}  // namespace ui
