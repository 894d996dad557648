#pragma once
// Names an input by the label beside it: the label becomes its buddy, and the
// label's text its accessible name (combo boxes and date pickers do not take
// the buddy's text themselves). A button is named by its caption.

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace ui {

void nameByLabel(QLabel* label, QWidget* input);

// Label text without the mnemonic "&" and a trailing colon.
QString plainLabelText(const QString& text);

// A push button with its caption and object name that Enter in the window's
// inputs does not press (it is not the dialog's automatic default).
QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& caption);

}  // namespace ui
