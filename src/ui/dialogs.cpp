#include "ui/dialogs.h"

#include <QDialog>

namespace ui {
namespace {

int execDefault(QDialog& dialog) { return dialog.exec(); }

DialogHandler& handler()
{
    static DialogHandler h = execDefault;
    return h;
}

}  // namespace

int execModal(QDialog& dialog) { return handler()(dialog); }
void setDialogHandler(DialogHandler h) { handler() = std::move(h); }
void resetDialogHandler() { handler() = execDefault; }

}  // namespace ui
