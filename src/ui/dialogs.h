#pragma once
// Modal windows are shown through this seam, so that tests can drive a dialog
// while it is "open" instead of waiting in its event loop.

#include <functional>

class QDialog;

namespace ui {

using DialogHandler = std::function<int(QDialog&)>;

// Shows the dialog modally and returns its result (QDialog::exec by default).
int execModal(QDialog& dialog);

void setDialogHandler(DialogHandler handler);
void resetDialogHandler();

}  // namespace ui
