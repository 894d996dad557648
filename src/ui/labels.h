#pragma once
// Names an input by the label beside it: the label becomes its buddy, and the
// label's text its accessible name (combo boxes and date pickers do not take
// the buddy's text themselves).

#include <QString>

class QLabel;
class QWidget;

namespace ui {

void nameByLabel(QLabel* label, QWidget* input);

// Label text without the mnemonic "&" and a trailing colon.
QString plainLabelText(const QString& text);

}  // namespace ui
