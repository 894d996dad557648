// One keystroke of the worker list's search on a plant of some 20,000
// people: the editor's worker picker shown, a letter typed into "Поиск" and
// processed (the list filtered, the grid reset and painted), for a cycle of
// letters typed and erased again. The baseline is the specified algorithm
// on its own: the same names tested for the typed beginning, case aside, in
// a plain loop.
//
//   search_bench DATABASE [rounds]
// Server and account: PGHOST (localhost), the built-in account.
// A plant of 20,100 employees: db/create-database.sh tabel_people 67 2026-11-30 1

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <cstdio>

#include "benchsupport.h"
#include "reference/workerlist.h"
#include "ui/dialogs.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: search_bench DATABASE [rounds]\n");
        return 2;
    }
    const int rounds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 20;
    try {
        data::DataModule dm(bench::connectionStringFor(argv[1]));
        reference::WorkerList list(dm);
        // The letters typed, then erased one by one.
        const QList<QChar> letters{u'К', u'у', u'з'};
        const int keystrokes = int(letters.size()) * 2;
        double typing = 0, plainLoop = 0;
        int people = 0;
        ui::setDialogHandler([&](QDialog& dialog) {
            dialog.resize(700, 600);
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            QApplication::processEvents();
            people = dm.Workers.recordCount();
            QStringList names;
            for (int i = 0; i < dm.Workers.recordCount(); ++i)
                names << dm.Workers.valueAt(i, dm.Workers.fieldIndex(QStringLiteral("fio"))).toString();
            QElapsedTimer timer;
            for (int round = 0; round < rounds; ++round) {
                timer.start();
                for (QChar letter : letters) {
                    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
                    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(letter));
                    QApplication::sendEvent(list.searchEdit, &press);
                    QApplication::sendEvent(list.searchEdit, &release);
                    QApplication::processEvents();
                }
                for (qsizetype i = 0; i < letters.size(); ++i) {
                    QTest::keyClick(list.searchEdit, Qt::Key_Backspace);
                    QApplication::processEvents();
                }
                typing += double(timer.nsecsElapsed()) / 1e6;

                timer.start();
                QString typed;
                int found = 0;
                for (int k = 0; k < keystrokes; ++k) {
                    typed = k < letters.size() ? typed + letters[k] : typed.chopped(1);
                    for (const QString& name : names)
                        found += (typed.isEmpty() || name.startsWith(typed, Qt::CaseInsensitive)) ? 1 : 0;
                }
                plainLoop += double(timer.nsecsElapsed()) / 1e6;
                if (found == 0)
                    std::printf("(no names found)\n");
            }
            return int(QDialog::Rejected);
        });
        list.pick();
        char what[120];
        std::snprintf(what, sizeof what, "one keystroke of the worker search (%d people)", people);
        bench::line(what, typing / rounds / keystrokes, plainLoop / rounds / keystrokes, "plain loop");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "search_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
