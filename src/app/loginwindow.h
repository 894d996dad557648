#pragma once
// The login window (Form23), the program's main window.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace data {
class DataModule;
}
namespace journal {
class JournalWindow;
}
namespace session {
class RunState;
}

namespace app {

struct CommandLine {
    QString server;    // argument 1
    QString database;  // argument 2
};
CommandLine parseCommandLine(const QStringList& arguments);

class LoginWindow : public QDialog {
    Q_OBJECT
public:
    // Logs in on the data module's connection, records the user in the
    // run-wide state and shows the journal.
    LoginWindow(data::DataModule& dataModule, session::RunState& state, journal::JournalWindow& journal,
                CommandLine args, QWidget* parent = nullptr);

    // Run as the first step of the activation (the version gate).
    void setActivationHook(std::function<void()> hook) { activationHook_ = std::move(hook); }

    // What happens when the window first becomes active.
    void activate();
    // "Вход".
    void logIn();

    QLineEdit* Edit1;    // "Логин"
    QLineEdit* Edit2;    // "Пароль"
    QPushButton* Button1;  // "Вход"
    QPushButton* Button2;  // "Отмена"
    QLabel* Label3;
    QTimer* Timer1;      // 5.5 s; ends the program when it fires

protected:
    bool event(QEvent* event) override;

private:
    data::DataModule& dataModule_;
    session::RunState& state_;
    journal::JournalWindow& journal_;
    CommandLine args_;
    // The connection used when the command line does not name both server and
    // database: the built-in one the data module started with.
    QString builtinConnection_;
    std::function<void()> activationHook_;
    bool activated_ = false;
};

// "Подключение к БД отсутсвует (сервер: S, БД: D)"
QString connectionFailureText(const CommandLine& args);
// "Табель (Сервер: S, БД: D, пользователь: L)"
QString journalCaption(const CommandLine& args, const QString& login);
// "Авторизация (build: 20211223.43515)"
QString loginCaption(int buildDate, int buildTime);

}  // namespace app
