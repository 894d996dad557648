#include "app/startup.h"

#include <QMessageBox>

#include "app/buildstamp.h"
#include "app/versiongate.h"
#include "app/windows.h"
#include "ui/application.h"
#include "ui/messages.h"

namespace app {

int run(int argc, char** argv)
{
    ui::Application application(argc, argv);
    // The desktop matches the windows to the installed entry (its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("tabel"));
    try {
        Windows windows({}, parseCommandLine(QCoreApplication::arguments()));
        VersionGate gate(windows, thisBuild());
        gate.install();
        windows.login.show();
        return application.exec();
    } catch (...) {
        ui::showCurrentException();
        return 1;
    }
}

}  // namespace app
