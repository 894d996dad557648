#include "ui/application.h"

#include "core/textformat.h"
#include "data/dataset.h"
#include "ui/accessibility.h"
#include "ui/messages.h"

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    installAccessibility();
    showBusyCursorWhileLoading();
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
