// The build stamp and the version gate: the stamp read from the compiler's
// date and time texts, and the gate against the real accounts_dep.ver at the
// login window's activation and on the journal's timer, with a refused copy
// ending within 5.5 seconds even when nobody acknowledges the message.

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <optional>

#include "app/buildstamp.h"
#include "app/loginwindow.h"
#include "app/versiongate.h"
#include "app/windows.h"
#include "data/connection.h"
#include "journal/journalwindow.h"
#include "support/messagerecorder.h"
#include "support/testdatabase.h"
#include "support/testmain.h"
#include "ui/dialogs.h"
#include "ui/program.h"

Q_DECLARE_METATYPE(app::BuildStamp)
Q_DECLARE_METATYPE(std::optional<app::BuildStamp>)

namespace {
const app::BuildStamp kStamp{20211223, 43515};
const QString kRefusal = QStringLiteral("Версия программы не соответсвует БД! Запустите программу через 5 мин.");
}  // namespace

class VersionGateTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<testing::TestDatabase> db_;
    std::unique_ptr<app::Windows> windows_;
    journal::JournalWindow* journal_ = nullptr;
    app::LoginWindow* login_ = nullptr;
    int ends_ = 0;

    void store(const std::optional<app::BuildStamp>& stamp)
    {
        db_->exec("delete from accounts_dep.ver");
        if (stamp)
            db_->exec(QStringLiteral("insert into accounts_dep.ver (d, t) values (%1, %2)")
                          .arg(stamp->date)
                          .arg(stamp->time));
    }
    std::optional<app::BuildStamp> stored()
    {
        if (db_->scalar("select count(*) from accounts_dep.ver").toInt() == 0)
            return std::nullopt;
        return app::BuildStamp{db_->scalar("select d from accounts_dep.ver").toInt(),
                               db_->scalar("select t from accounts_dep.ver").toInt()};
    }
    // Changes with every write of the row.
    QString rowVersion() { return db_->scalar("select xmin::text from accounts_dep.ver").toString(); }

private slots:
    void buildDateNumber_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("space-padded day") << QByteArray("Jan  5 2022") << 20220105;
        QTest::newRow("Jun") << QByteArray("Jun 30 2021") << 20210630;
        QTest::newRow("Apr") << QByteArray("Apr 11 2022") << 20220411;
        QTest::newRow("Dec") << QByteArray("Dec 23 2021") << 20211223;
        QTest::newRow("Feb") << QByteArray("Feb 28 2023") << 20230228;
        QTest::newRow("Mar") << QByteArray("Mar  1 2020") << 20200301;
        QTest::newRow("May") << QByteArray("May 15 2024") << 20240515;
        QTest::newRow("Jul") << QByteArray("Jul  4 2025") << 20250704;
        QTest::newRow("Aug") << QByteArray("Aug 31 2025") << 20250831;
        QTest::newRow("Sep") << QByteArray("Sep  9 2025") << 20250909;
        QTest::newRow("Oct") << QByteArray("Oct 10 2025") << 20251010;
        QTest::newRow("Nov") << QByteArray("Nov 11 2025") << 20251111;
        QTest::newRow("no date known") << QByteArray("??? ?? ????") << 19000101;
    }
    void buildDateNumber()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, number);
        QCOMPARE(app::buildDateNumber(text), number);
    }

    void buildTimeNumber_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("12:05:15") << QByteArray("12:05:15") << 43515;
        QTest::newRow("midnight") << QByteArray("00:00:00") << 0;
        QTest::newRow("last second") << QByteArray("23:59:59") << 86399;
    }
    void buildTimeNumber()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, number);
        QCOMPARE(app::buildTimeNumber(text), number);
    }

    void initTestCase() { db_ = std::make_unique<testing::TestDatabase>("versiongate"); }
    void cleanupTestCase() { db_.reset(); }
    void init()
    {
        windows_ = std::make_unique<app::Windows>(db_->connectionString());
        journal_ = &windows_->journal;
        login_ = &windows_->login;
        ends_ = 0;
        ui::setEndProgramHandler([this] { ++ends_; });
    }
    void cleanup()
    {
        db_->exec("alter table if exists accounts_dep.ver_moved rename to ver");
        login_ = nullptr;
        journal_ = nullptr;
        windows_.reset();
        ui::resetEndProgramHandler();
        ui::resetMessageHandler();
    }

    void equalStampWritesNothing()
    {
        store(kStamp);
        const QString before = rowVersion();
        testing::MessageRecorder messages;
        app::VersionGate gate(*windows_, kStamp);
        gate.run();
        QCOMPARE(rowVersion(), before);
        QCOMPARE(messages.count(), 0);
        QCOMPARE(ends_, 0);
        QCOMPARE(windows_->state.buildDate(), 20211223);
        QCOMPARE(windows_->state.buildTime(), 43515);
    }

    void gateComparesWithTheTable_data()
    {
        QTest::addColumn<std::optional<app::BuildStamp>>("before");
        QTest::addColumn<app::BuildStamp>("build");
        QTest::addColumn<std::optional<app::BuildStamp>>("after");
        QTest::addColumn<bool>("refused");
        using S = app::BuildStamp;
        const std::optional<S> kNone;
        QTest::newRow("a second newer moves the row forward")
            << std::optional<S>(kStamp) << S{20211223, 43516} << std::optional<S>(S{20211223, 43516}) << false;
        QTest::newRow("a day newer, earlier in the day")
            << std::optional<S>(kStamp) << S{20211224, 0} << std::optional<S>(S{20211224, 0}) << false;
        QTest::newRow("an empty table gets its first row")
            << kNone << kStamp << std::optional<S>(kStamp) << false;
        QTest::newRow("an older day is refused")
            << std::optional<S>(S{20211224, 0}) << S{20211223, 86399} << std::optional<S>(S{20211224, 0}) << true;
        QTest::newRow("a second older is refused")
            << std::optional<S>(kStamp) << S{20211223, 43514} << std::optional<S>(kStamp) << true;
    }
    void gateComparesWithTheTable()
    {
        QFETCH(std::optional<app::BuildStamp>, before);
        QFETCH(app::BuildStamp, build);
        QFETCH(std::optional<app::BuildStamp>, after);
        QFETCH(bool, refused);
        store(before);
        testing::MessageRecorder messages;  // acknowledges at once
        app::VersionGate gate(*windows_, build);
        gate.run();
        QCOMPARE(stored(), after);
        QCOMPARE(db_->scalar("select count(*) from accounts_dep.ver").toInt(), 1);
        QCOMPARE(messages.texts(), refused ? QStringList{kRefusal} : QStringList());
        if (refused) {
            QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
            QCOMPARE(messages.messages().first().icon, ui::Icon::Error);
        }
        QCOMPARE(ends_ > 0, refused);
        QCOMPARE(login_->Timer1->isActive(), refused);
    }

    void refusedCopyEndsWhenNobodyAcknowledges()
    {
        store(app::BuildStamp{20211224, 0});
        bool endedWhileShown = false;
        bool safetyFired = false;
        ui::setMessageHandler([&](const ui::Message&) {
            // The message stays on the screen: only the end of the program takes it away.
            QEventLoop onScreen;
            ui::setEndProgramHandler([&] {
                endedWhileShown = true;
                onScreen.quit();
            });
            QTimer safety;
            safety.setSingleShot(true);
            connect(&safety, &QTimer::timeout, &onScreen, [&] {
                safetyFired = true;
                onScreen.quit();
            });
            safety.start(30000);
            onScreen.exec();
            ui::setEndProgramHandler([this] { ++ends_; });
            return QMessageBox::Ok;
        });
        app::VersionGate gate(*windows_, app::BuildStamp{20211223, 86399});
        gate.run();
        QVERIFY(!safetyFired);
        QVERIFY(endedWhileShown);
        QCOMPARE(login_->Timer1->interval(), 5500);
    }

    void journalTimerEndsACopyOnceANewerBuildRan()
    {
        store(kStamp);
        testing::MessageRecorder messages;
        app::VersionGate gate(*windows_, kStamp);
        gate.install();
        QVERIFY(journal_->Timer1->isActive());
        QCOMPARE(journal_->Timer1->interval(), 30000);
        store(app::BuildStamp{20211223, 43600});  // a newer build started elsewhere
        journal_->Timer1->setInterval(1);  // the next tick, without waiting 30 seconds
        QTRY_VERIFY(ends_ > 0);
        QCOMPARE(messages.lastText(), kRefusal);
        QVERIFY(login_->Timer1->isActive());
    }

    void databaseErrorIsShownAndTheProgramGoesOn()
    {
        store(kStamp);
        db_->exec("alter table accounts_dep.ver rename to ver_moved");
        testing::MessageRecorder messages;
        app::VersionGate gate(*windows_, app::BuildStamp{20211223, 50000});
        gate.install();
        journal_->Timer1->setInterval(1);
        QTRY_VERIFY(messages.count() > 0);
        journal_->Timer1->stop();
        QCOMPARE(messages.messages().first().caption, QStringLiteral("Ошибка"));
        QVERIFY2(messages.lastText().contains("ver"), qPrintable(messages.lastText()));
        QCOMPARE(ends_, 0);
        QVERIFY(!login_->Timer1->isActive());

        db_->exec("alter table accounts_dep.ver_moved rename to ver");
        messages.clear();
        journal_->Timer1->start();  // the next tick tries again
        QTRY_COMPARE(stored(), std::optional<app::BuildStamp>(app::BuildStamp{20211223, 50000}));
        journal_->Timer1->stop();
        QCOMPARE(messages.count(), 0);
    }

    void tickInsideAnOpenTransactionWaitsForTheNext()
    {
        store(kStamp);
        const app::BuildStamp newer{20211223, 50001};
        app::VersionGate gate(*windows_, newer);
        gate.install();
        journal_->Timer1->setInterval(1);
        {
            data::Transaction transaction(windows_->dataModule.ADO_DB);
            QTest::qWait(50);  // ticks while the action lets events through
            // nothing of the gate inside the action's transaction
            QCOMPARE(windows_->dataModule.scalar("select t from accounts_dep.ver").toInt(), kStamp.time);
        }  // the action is rolled back: the stamp must not have been part of it
        QCOMPARE(stored(), std::optional<app::BuildStamp>(kStamp));
        QTRY_COMPARE(stored(), std::optional<app::BuildStamp>(newer));
        journal_->Timer1->stop();
    }

    void tickAfterTheServerEndedTheSessionWorks()
    {
        store(kStamp);
        testing::MessageRecorder messages;
        app::VersionGate gate(*windows_, app::BuildStamp{20211223, 50002});
        gate.install();
        db_->endSession(windows_->dataModule.scalar("select pg_backend_pid()").toInt());
        journal_->Timer1->setInterval(1);
        QTRY_COMPARE(stored(), std::optional<app::BuildStamp>(app::BuildStamp{20211223, 50002}));
        journal_->Timer1->stop();
        QCOMPARE(messages.count(), 0);
    }

    void loginActivationRunsTheGateFirst()
    {
        store(std::nullopt);
        testing::MessageRecorder messages;
        app::VersionGate gate(*windows_, kStamp);
        gate.install();
        login_->show();
        QVERIFY(QTest::qWaitForWindowActive(login_));
        QTRY_COMPARE(login_->windowTitle(), QStringLiteral("Авторизация (build: 20211223.43515)"));
        QCOMPARE(login_->Label3->text(), QStringLiteral("Сервер: , БД: "));
        QCOMPARE(stored(), std::optional<app::BuildStamp>(kStamp));
        QCOMPARE(messages.count(), 0);
    }

    void unreachableTableAtActivationLeavesTheLoginUsable()
    {
        db_->exec("alter table accounts_dep.ver rename to ver_moved");
        testing::MessageRecorder messages;
        app::VersionGate gate(*windows_, kStamp);
        gate.install();
        journal_->Timer1->stop();
        login_->show();
        QVERIFY(QTest::qWaitForWindowActive(login_));
        QTRY_COMPARE(messages.count(), 1);
        QCOMPARE(login_->windowTitle(), QStringLiteral("Авторизация"));
        QCOMPARE(login_->Label3->text(), QString());
        QVERIFY(login_->isVisible());
        QVERIFY(login_->Button1->isEnabled());
        QCOMPARE(ends_, 0);
    }

    // The real end of the program, last: the refusal arrives while a modal
    // window is open, its message box is never acknowledged, and the login
    // window's timer leaves every event loop.
    void refusedProgramEndsWhileAModalWindowAndTheMessageAreOpen()
    {
        ui::resetEndProgramHandler();
        ui::resetMessageHandler();
        ui::resetDialogHandler();
        store(app::BuildStamp{20991231, 0});
        app::VersionGate gate(*windows_, kStamp);
        QDialog working;  // the window the user is working in
        bool gateReturned = false, dialogReturned = false, safetyFired = false;
        QTimer::singleShot(0, &working, [&] {
            QTimer::singleShot(0, &working, [&] {
                gate.run();  // shows a real message box
                gateReturned = true;
            });
            ui::execModal(working);
            dialogReturned = true;
        });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [&] {
            safetyFired = true;
            QApplication::closeAllWindows();
            QCoreApplication::exit(1);
        });
        safety.start(30000);
        const int code = QCoreApplication::exec();
        QVERIFY(!safetyFired);
        QCOMPARE(code, 0);
        QVERIFY(gateReturned);
        QVERIFY(dialogReturned);
    }
};

TABEL_TEST_MAIN(VersionGateTest)
#include "test_versiongate.moc"
