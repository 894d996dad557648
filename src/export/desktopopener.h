#pragma once

#include <QString>

namespace xlsx {

// Opens the file in the desktop's application for its type, without waiting
// for it. False when no such application can be started. On a platform without
// a screen (offscreen) there is nothing to show it on, and the file is left as
// it is.
bool openOnDesktop(const QString& filePath);

}  // namespace xlsx
