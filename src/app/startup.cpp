#include "app/startup.h"

#include <QMessageBox>

#include "app/buildstamp.h"
#include "app/loginwindow.h"
#include "app/versiongate.h"
#include "journal/journalwindow.h"
#include "ui/application.h"
#include "ui/messages.h"

namespace app {

int run(int argc, char** argv)
{
    ui::Application application(argc, argv);
    try {
        journal::JournalWindow journal;
        LoginWindow login(journal, parseCommandLine(QCoreApplication::arguments()));
        VersionGate gate(journal, login, thisBuild());
        gate.install();
        login.show();
        return application.exec();
    } catch (...) {
        ui::showCurrentException();
        return 1;
    }
}

}  // namespace app
