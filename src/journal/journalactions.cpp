#include "journal/journalwindow.h"

namespace journal {

void JournalWindow::connectRecordActions() {}

}  // namespace journal
