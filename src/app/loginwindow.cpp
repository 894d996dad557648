#include "app/loginwindow.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/roles.h"
#include "core/textformat.h"
#include "data/connectionstring.h"
#include "data/datamodule.h"
#include "journal/journalwindow.h"
#include "session/runstate.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/labels.h"
#include "ui/messages.h"
#include "ui/program.h"

#include "config.h"

namespace app {

namespace {
const char* const kAccessCode = "0593";
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine c;
    if (arguments.size() > 1)
        c.server = arguments.at(1);
    if (arguments.size() > 2)
        c.database = arguments.at(2);
    return c;
}

QString connectionFailureText(const CommandLine& args)
{
    return QStringLiteral("Подключение к БД отсутсвует (сервер: ") + args.server + QStringLiteral(", БД: ")
        + args.database + QLatin1Char(')');
}

QString journalCaption(const CommandLine& args, const QString& login)
{
    return QStringLiteral("Табель (Сервер: ") + args.server + QStringLiteral(", БД: ") + args.database
        + QStringLiteral(", пользователь: ") + login + QLatin1Char(')');
}

QString loginCaption(int buildDate, int buildTime)
{
    return QStringLiteral("Авторизация (build: %1.%2)").arg(buildDate).arg(buildTime);
}

LoginWindow::LoginWindow(data::DataModule& dataModule, session::RunState& state, journal::JournalWindow& journal,
                         CommandLine args, QWidget* parent)
    : QDialog(parent),
      dataModule_(dataModule),
      state_(state),
      journal_(journal),
      args_(std::move(args)),
      builtinConnection_(dataModule.ADO_DB.connectionString())
{
    setObjectName(QStringLiteral("Form23"));
    setWindowTitle(QStringLiteral("Авторизация"));

    auto* loginLabel = new QLabel(QStringLiteral("Логин"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    ui::nameByLabel(loginLabel, Edit1);

    auto* passwordLabel = new QLabel(QStringLiteral("Пароль"), this);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setEchoMode(QLineEdit::Password);
    ui::nameByLabel(passwordLabel, Edit2);

    Button1 = new QPushButton(QStringLiteral("Вход"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5500);
    connect(Timer1, &QTimer::timeout, this, [] { ui::endProgram(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(loginLabel, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(passwordLabel, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->addWidget(Label3, 3, 0, 1, 2);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Button1);
    setTabOrder(Button1, Button2);
    setFixedSize(340, 150);

    connect(Button1, &QPushButton::clicked, this, &LoginWindow::logIn);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);  // Esc too
}

bool LoginWindow::event(QEvent* e)
{
    const bool handled = QDialog::event(e);
    // The window becomes active when it is first shown; on a desktop without
    // a window manager no activation event comes, so the first show counts too.
    if ((e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) && !activated_) {
        activated_ = true;
        // After the window has come up, so that a message of the gate has a parent on screen.
        QTimer::singleShot(0, this, [this] { ui::guarded([this] { activate(); }); });
    }
    return handled;
}

void LoginWindow::activate()
{
    activated_ = true;
    if (activationHook_)
        activationHook_();  // an error leaves the rest of the activation undone
    Label3->setText(QStringLiteral("Сервер: ") + args_.server + QStringLiteral(", БД: ") + args_.database);
    setWindowTitle(loginCaption(state_.buildDate(), state_.buildTime()));
}

void LoginWindow::logIn()
{
    journal_.setCurrentShift(1);
    QString login = fmt::trimmed(Edit1->text());
    QString password = fmt::trimmed(Edit2->text());
    QString account = login;  // the database account the connection uses
    if (password == QLatin1String(kAccessCode)) {
        // The role and the title of "sys"; the connection of the built-in
        // account, whose password it is, whatever that account is called.
        login = QStringLiteral("sys");
        account = QString::fromUtf8(config::builtinLogin);
        password = QString::fromUtf8(config::builtinPassword);
    }
    state_.setUserLogin(login);
    state_.setUserPassword(password);

    data::Connection& connection = dataModule_.ADO_DB;
    try {
        connection.close();
        if (args_.server.isEmpty() || args_.database.isEmpty())
            connection.setConnectionString(builtinConnection_);
        else
            connection.setConnectionString(
                data::buildConnectionString({args_.server, args_.database, account, password}));
        connection.open();
    } catch (...) {
        ui::showError(connectionFailureText(args_));
        ui::endProgram();
        return;
    }

    const session::Role role = session::roleForLogin(login);
    applyRole(journal_, role);
    for (int shift = 1; shift <= 4; ++shift)
        dataModule_.smena(shift).setParam(QStringLiteral("ok"), QStringLiteral("ta"));
    hide();
    if (role != session::Role::ReadOnly)
        journal_.setWindowTitle(journalCaption(args_, login));
    ui::execModal(journal_);
    close();
    ui::endProgram();
}

}  // namespace app
