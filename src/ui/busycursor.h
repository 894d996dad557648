#pragma once
#include <QApplication>

namespace ui {

// Shows the busy cursor for its lifetime; the normal cursor comes back even
// when an error leaves the operation.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace ui
