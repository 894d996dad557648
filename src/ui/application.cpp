#include "ui/application.h"

#include "core/textformat.h"
#include "ui/accessibility.h"
#include "ui/messages.h"

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    installAccessibility();
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showCurrentException();
        return false;
    }
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
