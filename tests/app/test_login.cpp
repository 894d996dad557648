// The login window driven against a fresh database: what each login may use
// in the journal, the journal's title with none, one or both command-line
// arguments, the access code, and a failed connection that ends the program.

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/loginwindow.h"
#include "app/windows.h"
#include "data/connectionstring.h"
#include "journal/journalwindow.h"
#include "support/messagerecorder.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "ui/datasetgrid.h"
#include "ui/dialogs.h"
#include "ui/program.h"

namespace {

// What a role may use in the journal, as the role table has it.
struct Rights {
    bool records;     // "Добавить", "Изменить", "Удалить"
    bool accept;      // "Принять"
    bool references;  // "Справочники"
    bool timeSheet;   // "Табель по времени"
    bool reports;     // "Отчеты"
    bool controls;    // shift buttons, "Выходной", "Обновить", the grid, the date picker
};

Rights rightsOf(const QString& role)
{
    if (role == "timekeeper")
        return {false, true, false, false, false, true};
    if (role == "read-only")
        return {false, false, false, false, true, false};
    if (role == "sys")
        return {true, true, true, true, true, true};
    return {true, false, true, true, true, true};  // data entry
}

}  // namespace

class LoginTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;

    // What one press of "Вход" did.
    struct Outcome {
        bool journalShown = false;
        bool loginHiddenBeforehand = false;
        bool connectedWhenShown = false;
        int ends = 0;
    };

    Outcome logIn(app::Windows& windows, const QString& login, const QString& password)
    {
        journal::JournalWindow& journal = windows.journal;
        app::LoginWindow& window = windows.login;
        window.show();
        Outcome out;
        ui::setDialogHandler([&](QDialog& dialog) {
            out.journalShown = &dialog == &journal;
            out.loginHiddenBeforehand = !window.isVisible();
            out.connectedWhenShown = journal.dataModule().ADO_DB.isOpen();
            return int(QDialog::Rejected);  // the user closes the journal
        });
        ui::setEndProgramHandler([&] { ++out.ends; });
        window.Edit1->setText(login);
        window.Edit2->setText(password);
        QTest::mouseClick(window.Button1, Qt::LeftButton);
        return out;
    }

    static void verifyRights(journal::JournalWindow& j, const Rights& r)
    {
        QCOMPARE(j.addButton->isEnabled(), r.records);
        QCOMPARE(j.editButton->isEnabled(), r.records);
        QCOMPARE(j.deleteButton->isEnabled(), r.records);
        QCOMPARE(j.acceptButton->isEnabled(), r.accept);
        QCOMPARE(j.referenceMenu->menuAction()->isEnabled(), r.references);
        QCOMPARE(j.timeSheetAction->isEnabled(), r.timeSheet);
        QCOMPARE(j.reportsMenu->menuAction()->isEnabled(), r.reports);
        for (int shift = 1; shift <= 4; ++shift)
            QCOMPARE(j.shiftButton(shift)->isEnabled(), r.controls);
        QCOMPARE(j.CBox1->isEnabled(), r.controls);
        QCOMPARE(j.refreshButton->isEnabled(), r.controls);
        QCOMPARE(j.DBGrid2->isEnabled(), r.controls);
        QCOMPARE(j.DateT->isEnabled(), r.controls);
        QVERIFY(j.exitAction->isEnabled());
        QVERIFY(j.exitButton->isEnabled());
    }

private slots:
    void initTestCase() { db_ = std::make_unique<testing::TestDatabase>("login"); }
    void cleanupTestCase() { db_.reset(); }
    void cleanup()
    {
        ui::resetDialogHandler();
        ui::resetEndProgramHandler();
    }

    void roleTableIsApplied_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("database");  // "*" for the test database
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("title");

        const QString none;
        QTest::newRow("clerka") << none << none << "clerka" << "" << "timekeeper" << "clerka"
                                << "Табель (Сервер: , БД: , пользователь: clerka)";
        QTest::newRow("clerkb") << none << none << "clerkb" << "x" << "timekeeper" << "clerkb"
                                << "Табель (Сервер: , БД: , пользователь: clerkb)";
        QTest::newRow("clerkc") << none << none << " clerkc " << "" << "timekeeper" << "clerkc"
                                << "Табель (Сервер: , БД: , пользователь: clerkc)";
        QTest::newRow("econom keeps the design caption") << none << none << "econom" << "" << "read-only" << "econom"
                                                         << "Табель";
        QTest::newRow("sys") << none << none << "sys" << "" << "sys" << "sys"
                             << "Табель (Сервер: , БД: , пользователь: sys)";
        QTest::newRow("sys with blanks around") << none << none << "  sys\t" << "" << "sys" << "sys"
                                                << "Табель (Сервер: , БД: , пользователь: sys)";
        QTest::newRow("Sys is not sys") << none << none << " Sys " << "" << "data entry" << "Sys"
                                        << "Табель (Сервер: , БД: , пользователь: Sys)";
        QTest::newRow("another login") << none << none << "master1" << "secret" << "data entry" << "master1"
                                       << "Табель (Сервер: , БД: , пользователь: master1)";
        QTest::newRow("empty login") << none << none << "" << "" << "data entry" << ""
                                     << "Табель (Сервер: , БД: , пользователь: )";
        QTest::newRow("access code with blanks") << none << none << "master1" << " 0593 " << "sys" << "sys"
                                                 << "Табель (Сервер: , БД: , пользователь: sys)";
        QTest::newRow("only the server argument") << "S" << none << "master1" << "" << "data entry" << "master1"
                                                  << "Табель (Сервер: S, БД: , пользователь: master1)";
        QTest::newRow("only the database argument") << none << "D" << "econom" << "" << "read-only" << "econom"
                                                    << "Табель";
        QTest::newRow("both arguments") << testing::TestDatabase::server() << "*" << "sys" << "kolxapm" << "sys"
                                        << "sys" << "Табель (Сервер: %1, БД: %2, пользователь: sys)";
        QTest::newRow("both arguments and the access code")
            << testing::TestDatabase::server() << "*" << "clerka" << "0593" << "sys" << "sys"
            << "Табель (Сервер: %1, БД: %2, пользователь: sys)";
    }
    void roleTableIsApplied()
    {
        QFETCH(QString, server);
        QFETCH(QString, database);
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, role);
        QFETCH(QString, user);
        QFETCH(QString, title);
        if (database == "*") {
            database = db_->name();
            title = title.arg(server, database);
        }

        // The built-in connection of this run is the test database.
        app::Windows windows(db_->connectionString(), {server, database});
        journal::JournalWindow& journal = windows.journal;
        journal.setCurrentShift(3);
        testing::MessageRecorder messages;
        const Outcome out = logIn(windows, login, password);

        QCOMPARE(messages.texts(), QStringList());
        QVERIFY(out.journalShown);
        QVERIFY(out.loginHiddenBeforehand);
        QVERIFY(out.connectedWhenShown);
        QCOMPARE(out.ends, 1);  // closing the journal ends the program
        verifyRights(journal, rightsOf(role));
        QCOMPARE(windows.state.userLogin(), user);
        QCOMPARE(journal.windowTitle(), title);
        QCOMPARE(journal.currentShift(), 1);
        QVERIFY(journal.RadioButton1->isChecked());
        for (int shift = 1; shift <= 4; ++shift)
            QCOMPARE(journal.dataModule().smena(shift).params().value("ok").toString(), QStringLiteral("ta"));
    }

    void failedConnectionEndsTheProgram_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("message");
        QTest::newRow("no arguments") << QString() << QString()
                                      << "Подключение к БД отсутсвует (сервер: , БД: )";
        QTest::newRow("both arguments") << testing::TestDatabase::server() << "t_no_such_database"
                                        << "Подключение к БД отсутсвует (сервер: %1, БД: t_no_such_database)";
    }
    void failedConnectionEndsTheProgram()
    {
        QFETCH(QString, server);
        QFETCH(QString, database);
        QFETCH(QString, message);
        message = message.arg(server);

        // A built-in connection that cannot be opened.
        data::ConnectionParams missing = db_->params();
        missing.database = QStringLiteral("t_no_such_database");
        app::Windows windows(data::buildConnectionString(missing), {server, database});
        journal::JournalWindow& journal = windows.journal;
        testing::MessageRecorder messages;
        const Outcome out = logIn(windows, "sys", "kolxapm");

        QCOMPARE(messages.texts(), QStringList{message});
        QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
        QCOMPARE(messages.messages().first().icon, ui::Icon::Error);
        QVERIFY(!out.journalShown);
        QCOMPARE(out.ends, 1);
        QCOMPARE(journal.windowTitle(), QStringLiteral("Табель"));
    }
};

TABEL_TEST_MAIN(LoginTest)
#include "test_login.moc"
