#include "ui/commanddialog.h"

#include <QCloseEvent>

namespace ui {

void CommandDialog::closeEvent(QCloseEvent* event)
{
    if (busy_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

}  // namespace ui
