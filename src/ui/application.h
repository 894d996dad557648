#pragma once
// The application object with the one application-wide error handler: any
// database or conversion error that escapes an event handler is shown in the
// standard error box, and the program goes on. It also shows the busy cursor
// while datasets read their rows.

#include <QApplication>

namespace ui {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    ~Application() override;
    bool notify(QObject* receiver, QEvent* event) override;
};

// The busy cursor while any dataset reads its rows (the application object
// installs it).
void showBusyCursorWhileLoading();

// Shows the exception being handled (call from a catch block) in the standard error box.
void showCurrentException();

// Runs fn; an escaping error is shown in the standard error box. Returns false then.
template <typename Fn>
bool guarded(Fn&& fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        showCurrentException();
        return false;
    }
}

}  // namespace ui
