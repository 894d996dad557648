// tabel-screenshots OUT_DIR SERVER DATABASE DATE [PASSWORD]
//
// Takes the pictures of the README and the user guide from a demo plant: it
// builds the program's windows, logs in as "sys" and walks the road a user
// takes, saving each window as a PNG in OUT_DIR: login, journal (on DATE,
// dd.MM.yyyy, shift 1), the editor on an unaccepted record of that day, the
// time sheet of DATE's month and the first page of the products report for
// that month in the print preview. scripts/screenshots.sh builds the plant
// and runs it; any platform plugin does (offscreen without a display).

#include <QAbstractItemView>
#include <QAction>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/windows.h"
#include "journal/journalwindow.h"
#include "reports/summaryreportswindow.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/messages.h"

namespace {

QString outDir;
QStringList failures;

// Lets the window lay itself out and paint.
void settle()
{
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
}

void shoot(QWidget& w, const QString& name)
{
    settle();
    const QString path = QDir(outDir).filePath(name + QStringLiteral(".png"));
    if (w.grab().save(path))
        std::printf("%s\n", qPrintable(path));
    else
        failures << path;
}

}  // namespace

int main(int argc, char** argv)
{
    ui::Application application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: %s OUT_DIR SERVER DATABASE DATE [PASSWORD]\n", argv[0]);
        return 2;
    }
    outDir = args[1];
    const QDate date = QDate::fromString(args[4], QStringLiteral("dd.MM.yyyy"));
    if (!date.isValid()) {
        std::fprintf(stderr, "DATE must be dd.MM.yyyy\n");
        return 2;
    }
    QDir().mkpath(outDir);

    // A message would wait for a click: it is written out and counts as a failure.
    ui::setMessageHandler([](const ui::Message& m) {
        failures << m.caption + QStringLiteral(": ") + m.text;
        return QMessageBox::Ok;
    });
    try {
        app::Windows w({}, app::CommandLine{args[2], args[3]});
        w.state.setClock([date] { return date; });

        // Each window the program shows modally runs the step waiting for it.
        QHash<QString, std::function<void(QDialog&)>> steps;
        ui::setDialogHandler([&](QDialog& d) {
            d.show();
            if (const auto step = steps.take(d.objectName()))
                ui::guarded([&] { step(d); });
            d.hide();
            return int(QDialog::Rejected);
        });

        steps[QStringLiteral("Form11")] = [](QDialog& d) { shoot(d, QStringLiteral("editor")); };
        steps[QStringLiteral("Form19")] = [](QDialog& d) { shoot(d, QStringLiteral("timesheet")); };
        steps[QStringLiteral("Form18")] = [&](QDialog&) {
            w.summaryReports.DateTimePicker1->setDate(QDate(date.year(), date.month(), 1));
            w.summaryReports.DateTimePicker2->setDate(date);
            settle();
            shoot(w.summaryReports, QStringLiteral("reports"));
            w.summaryReports.productsButton->click();
        };
        steps[QStringLiteral("Form17Preview")] = [](QDialog& d) {
            d.resize(1000, 820);
            shoot(d, QStringLiteral("report"));
        };
        steps[QStringLiteral("Form1")] = [&](QDialog&) {
            journal::JournalWindow& j = w.journal;
            shoot(j, QStringLiteral("journal"));
            if (j.currentDataset().locate(QStringLiteral("ok"), QStringLiteral("no")))
                j.editButton->click();
            else
                failures << QStringLiteral("no unaccepted record on ") + args[4];
            j.timeSheetAction->trigger();
            j.summaryReportsAction->trigger();
        };

        w.login.show();
        w.login.Edit1->setText(QStringLiteral("sys"));
        w.login.Edit2->setText(args.value(5, QStringLiteral("kolxapm")));
        shoot(w.login, QStringLiteral("login"));
        w.login.Button1->click();
        for (auto it = steps.cbegin(); it != steps.cend(); ++it)
            failures << QStringLiteral("not shown: ") + it.key();
    } catch (...) {
        ui::setDialogHandler([](QDialog&) { return int(QDialog::Rejected); });
        std::fprintf(stderr, "the windows could not be opened\n");
        return 1;
    }
    for (const QString& f : failures)
        std::fprintf(stderr, "FAILED: %s\n", qPrintable(f));
    return failures.isEmpty() ? 0 : 1;
}
