#include "ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "core/textformat.h"
#include "data/dataset.h"
#include "ui/accessibility.h"
#include "ui/messages.h"

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    installAccessibility();
    showBusyCursorWhileLoading();
    // The toolkit's own texts (the buttons of message boxes, the print and file
    // dialogs) in Russian, like the rest of the program, whatever the machine's language.
    auto* toolkit = new QTranslator(this);
    if (toolkit->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(toolkit);
}

Application::~Application() { data::setLoadObserver({}); }

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showCurrentException();
        return false;
    }
}

void showBusyCursorWhileLoading()
{
    data::setLoadObserver([](bool loading) {
        if (loading)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}

void showCurrentException()
{
    try {
        throw;
    } catch (const fmt::AppError& e) {
        showError(e.text());
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QString());
    }
}

}  // namespace ui
