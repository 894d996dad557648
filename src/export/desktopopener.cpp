#include "export/desktopopener.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace xlsx {

bool openOnDesktop(const QString& filePath)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(filePath));
}

}  // namespace xlsx
