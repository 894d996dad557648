#include "ui/program.h"

#include <QApplication>

namespace ui {
namespace {

void quitAll()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

std::function<void()>& handler()
{
    static std::function<void()> h = quitAll;
    return h;
}

}  // namespace

void endProgram() { handler()(); }
void setEndProgramHandler(std::function<void()> h) { handler() = std::move(h); }
void resetEndProgramHandler() { handler() = quitAll; }

}  // namespace ui
