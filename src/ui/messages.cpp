#include "ui/messages.h"

#include <QApplication>

namespace ui {
namespace {

QMessageBox::StandardButton showModal(const Message& m)
{
    QMessageBox::Icon icon = QMessageBox::Critical;
    switch (m.icon) {
    case Icon::Error: icon = QMessageBox::Critical; break;
    case Icon::Warning: icon = QMessageBox::Warning; break;
    case Icon::Information: icon = QMessageBox::Information; break;
    case Icon::Question: icon = QMessageBox::Question; break;
    }
    QMessageBox box(icon, m.caption, m.text, m.buttons, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

MessageHandler& handler()
{
    static MessageHandler h = showModal;
    return h;
}

}  // namespace

void setMessageHandler(MessageHandler h) { handler() = std::move(h); }
void resetMessageHandler() { handler() = showModal; }

QMessageBox::StandardButton show(const Message& message) { return handler()(message); }

void showError(const QString& text)
{
    show({Icon::Error, QStringLiteral("Ошибка"), text, QMessageBox::Ok});
}

void showInfo(const QString& caption, const QString& text)
{
    show({Icon::Information, caption, text, QMessageBox::Ok});
}

bool ask(const QString& caption, const QString& text)
{
    return show({Icon::Question, caption, text, QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes;
}

bool askDelete(const QString& text)
{
    return ask(QStringLiteral("Удаление"), text);
}

}  // namespace ui
