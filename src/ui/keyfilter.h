#pragma once
// Key filters of the number fields.

#include <QObject>

class QWidget;

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

// Installs the filter on a line edit (or any widget taking text keys).
void installKeyFilter(QWidget* field, KeyRule rule);

}  // namespace ui
