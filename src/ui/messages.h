#pragma once
// Every message box and question of the program goes through this seam, so
// that tests can answer them and see what was shown.

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace ui {

enum class Icon { Error, Warning, Information, Question };

struct Message {
    Icon icon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// The function that shows a message and returns the button pressed. By
// default a modal QMessageBox; tests install their own.
using MessageHandler = std::function<QMessageBox::StandardButton(const Message&)>;
void setMessageHandler(MessageHandler handler);
void resetMessageHandler();

QMessageBox::StandardButton show(const Message& message);

// "Ошибка", error icon, OK.
void showError(const QString& text);
// Information with the given caption and OK.
void showInfo(const QString& caption, const QString& text);
// Yes/No question with a question icon; true for Yes.
bool ask(const QString& caption, const QString& text);
// The question before a deletion: caption "Удаление", Yes and No.
bool askDelete(const QString& text);

}  // namespace ui
