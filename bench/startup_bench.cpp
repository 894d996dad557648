// The program's start and its memory, each beside a plain Qt Widgets program
// measured in the same run (a dialog with two fields and two buttons):
//   - from process start to the login window painted, the whole start-up of
//     the program as its main() runs it (the median of the rounds);
//   - the resident memory with the journal open on a date: logged in as the
//     built-in account, the date's four shifts loaded and painted.
// Each figure is taken in a process of its own, this program run again as
// a child that reports and ends when the window is painted; Qt's offscreen
// platform, so no display is needed. Like any start of the program, the
// child's version gate records this build's stamp in the built-in database
// (bench/run.sh puts the stamp there back afterwards).
//
//   startup_bench DATABASE [DATE dd.MM.yyyy] [rounds]
// Server and account: PGHOST (localhost), the built-in account. The date
// defaults to the busiest one of the shift records.

#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "app/loginwindow.h"
#include "app/startup.h"
#include "benchsupport.h"
#include "core/textformat.h"
#include "journal/journalwindow.h"

namespace {

qint64 monotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// What the child reports on: the window painted first (the login window, or
// the plain dialog), or the journal painted after logging in.
enum class Probe { None, FirstWindow, Journal };
Probe probe = Probe::None;
QDate journalDate;

[[noreturn]] void report(int records = 0)
{
    std::printf("%lld %ld %d\n", static_cast<long long>(monotonicNs()), residentKb(), records);
    std::fflush(stdout);
    _exit(0);
}

class Watcher : public QObject {
protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !object->isWidgetType() || !static_cast<QWidget*>(object)->isWindow())
            return false;
        if (probe == Probe::FirstWindow)
            report();
        if (auto* login = qobject_cast<app::LoginWindow*>(object); login && !loggingIn_) {
            loggingIn_ = true;
            login->Edit1->setText(QStringLiteral("sys"));
            login->Edit2->setText(QStringLiteral("kolxapm"));
            QTimer::singleShot(0, login->Button1, &QPushButton::click);
        }
        if (auto* journal = qobject_cast<journal::JournalWindow*>(object); journal && !dateSet_) {
            dateSet_ = true;
            QTimer::singleShot(0, journal, [journal] {
                journal->setJournalDate(journalDate);
                journal->changeDate();
                journal->repaint();
                int records = 0;
                for (int shift = 1; shift <= 4; ++shift)
                    records += journal->dataModule().smena(shift).recordCount();
                report(records);
            });
        }
        return false;
    }

private:
    bool loggingIn_ = false;
    bool dateSet_ = false;
};

void installWatcher()
{
    if (probe != Probe::None)
        qApp->installEventFilter(new Watcher);
}
Q_COREAPP_STARTUP_FUNCTION(installWatcher)

int plainProgram(int argc, char** argv)
{
    QApplication application(argc, argv);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QPushButton(QStringLiteral("Вход")));
    layout->addWidget(new QPushButton(QStringLiteral("Отмена")));
    dialog.show();
    return application.exec();
}

// One child run: its report (the time it painted, its resident memory).
struct Report {
    double ms = 0;
    long kb = 0;
    int records = 0;  // in the journal's four shifts
};

Report runChild(const QStringList& arguments)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 started = monotonicNs();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        throw std::runtime_error("the child " + arguments.join(' ').toStdString() +
                                 " did not report: " + child.readAllStandardError().toStdString());
    const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
    if (words.size() != 3)
        throw std::runtime_error("the child " + arguments.join(' ').toStdString() + " reported nothing");
    return {double(words[0].toLongLong() - started) / 1e6, words[1].toLong(), words[2].toInt()};
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const QByteArray mode = argc > 2 && QByteArray(argv[1]) == "--child" ? QByteArray(argv[2]) : QByteArray();
    // The program is started with the plant measured on its command line
    // (server and database), as the office starts it.
    QByteArray server = qgetenv("PGHOST");
    if (server.isEmpty())
        server = "localhost";
    if (mode == "program" && argc > 3) {
        probe = Probe::FirstWindow;
        char* programArgs[] = {argv[0], server.data(), argv[3], nullptr};
        return app::run(3, programArgs);
    }
    if (mode == "plain") {
        probe = Probe::FirstWindow;
        return plainProgram(1, argv);
    }
    if (mode == "journal" && argc > 4) {
        probe = Probe::Journal;
        journalDate = QDate::fromString(QString::fromLatin1(argv[4]), Qt::ISODate);
        char* programArgs[] = {argv[0], server.data(), argv[3], nullptr};
        return app::run(3, programArgs);
    }

    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench DATABASE [DATE dd.MM.yyyy] [rounds]\n");
        return 2;
    }
    const int rounds = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 9;
    try {
        QDate date;
        {
            data::DataModule dm(bench::connectionStringFor(argv[1]));
            date = bench::dateToMeasure(dm, argc > 2 ? argv[2] : nullptr);
        }
        QList<double> program, plain;
        long programKb = 0, plainKb = 0;
        for (int i = 0; i < rounds; ++i) {
            const Report p =
                runChild({QStringLiteral("--child"), QStringLiteral("program"), QString::fromLocal8Bit(argv[1])});
            const Report q = runChild({QStringLiteral("--child"), QStringLiteral("plain")});
            program << p.ms;
            plain << q.ms;
            programKb = p.kb;
            plainKb = q.kb;
        }
        bench::line("start to the login window painted (median)", median(program), median(plain), "plain Qt");
        const Report journal = runChild({QStringLiteral("--child"), QStringLiteral("journal"),
                                         QString::fromLocal8Bit(argv[1]), date.toString(Qt::ISODate)});
        const QString what = QStringLiteral("resident memory, journal open on %1 (%2 records)")
                                 .arg(fmt::dateText(date))
                                 .arg(journal.records)
                                 .leftJustified(70);
        std::printf("%s %9.1f MB   %-10s %8.1f MB   ratio %6.2f\n", what.toUtf8().constData(), journal.kb / 1024.0,
                    "plain Qt", plainKb / 1024.0, plainKb > 0 ? double(journal.kb) / plainKb : 0.0);
        std::printf("%s %9.1f MB\n", QStringLiteral("  the login window alone").leftJustified(70).toUtf8().constData(),
                    programKb / 1024.0);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
