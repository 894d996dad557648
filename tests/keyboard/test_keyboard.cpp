// The keyboard and what assistive tools see: the Tab chain of the journal,
// the shift record editor and its two picker lists goes through every
// enabled control in the order they stand on screen, and each control is
// told by the name of its label or caption, also once it holds something.
// Enter and Escape do what the windows' default and cancel buttons do.

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>

#include "editor/editordriver.h"
#include "support/messagerecorder.h"
#include "support/testmain.h"
#include "ui/datasetgrid.h"

namespace {

QString accessibleName(QWidget* w)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

bool takesTab(const QWidget* w)
{
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy();
}

// Controls a user can reach: shown, enabled, taking focus by Tab, and not a
// part of another such control (the line edit inside a date picker). A page
// of tabs hands its focus to its tab bar, so its pages are not parts of it.
QList<QWidget*> reachableControls(QWidget* window)
{
    QList<QWidget*> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisibleTo(window) || !w->isEnabled() || !takesTab(w))
            continue;
        bool part = false;
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            part = part || takesTab(p);
        if (!part)
            out << w;
    }
    return out;
}

// Presses Tab from `first` until the focus comes back to it; the controls
// met on the way, once each. A date picker takes Tab through its day, month
// and year first; any other control that keeps the focus on Tab is a trap,
// and focus that leaves the window or goes nowhere is a fault too.
QList<QWidget*> tabChain(QWidget* first, QString* fault)
{
    QList<QWidget*> chain{first};
    first->setFocus(Qt::TabFocusReason);
    int pressesHere = 0;
    for (int presses = 0; presses < 100; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (!now || now->window() != first->window()) {
            *fault = QStringLiteral("Tab after %1 leaves the window").arg(chain.last()->objectName());
            return chain;
        }
        if (now == first)
            return chain;
        if (now != chain.last()) {
            chain << now;
            pressesHere = 0;
        } else if (!qobject_cast<QDateTimeEdit*>(now) || ++pressesHere > 2) {
            *fault = QStringLiteral("Tab does not leave %1").arg(now->objectName());
            return chain;
        }
    }
    *fault = QStringLiteral("Tab does not come back to %1").arg(first->objectName());
    return chain;
}

// Reading order: each control stands below the one before it, or on the
// same line to its right. Controls side by side whose tops differ a little
// (a check box beside a date picker) count as one line.
bool inReadingOrder(const QList<QWidget*>& chain, QWidget* window, QString* fault)
{
    for (int i = 1; i < chain.size(); ++i) {
        const QRect a(chain[i - 1]->mapTo(window, QPoint()), chain[i - 1]->size());
        const QRect b(chain[i]->mapTo(window, QPoint()), chain[i]->size());
        const bool sameLine = b.top() < a.bottom() && a.top() < b.bottom();
        if (sameLine ? b.left() < a.left() : b.top() < a.top()) {
            *fault = QStringLiteral("%1 comes after %2").arg(accessibleName(chain[i]), accessibleName(chain[i - 1]));
            return false;
        }
    }
    return true;
}

}  // namespace

class KeyboardTest : public testing::EditorTestBase {
    Q_OBJECT

    // Shows the window as the program does and makes it the active one.
    static void bringUp(QWidget& w)
    {
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    // Walks the chain from `first`: it reaches every control a user can reach
    // in the window, each has a name, and it goes in reading order. `met`
    // gets the names met, in order.
    static void walk(QWidget& window, QWidget* first, QStringList* met)
    {
        const QString where = window.objectName() + QStringLiteral(": ");
        QString fault;
        const QList<QWidget*> chain = tabChain(first, &fault);
        QVERIFY2(fault.isEmpty(), qPrintable(where + fault));
        for (QWidget* w : chain)
            *met << accessibleName(w);
        for (QWidget* w : reachableControls(&window)) {
            QVERIFY2(chain.contains(w), qPrintable(where + w->objectName() + QStringLiteral(" is not reached by Tab")));
            QVERIFY2(!accessibleName(w).isEmpty(),
                     qPrintable(where + w->objectName() + QStringLiteral(" has no name")));
        }
        QVERIFY2(inReadingOrder(chain, &window, &fault), qPrintable(where + fault));
    }

    // The walk from `first`, meeting exactly `names`.
    static void checkChain(QWidget& window, QWidget* first, const QStringList& names)
    {
        QStringList met;
        walk(window, first, &met);
        if (!QTest::currentTestFailed())
            QCOMPARE(met, names);
    }

private slots:
    void initTestCase() { setUpJournal(QStringLiteral("keyboard")); }
    void init() { startCase(); }
    void cleanup() { script_.reset(); }
    void cleanupTestCase() { tearDownJournal(); }

    void editorChainInEveryMode()
    {
        const QStringList fields{
            "Заявка", "Строка", "ФИО",   "Выбрать рабочего", "Операция", "Выбрать операцию", "Кол-во", "Время",
            "Дата",   "Брак",   "Запись"};
        inNewRecord([&](editor::ShiftRecordEditor& e) {
            bringUp(e);
            checkChain(e, e.LCB_id_doc, fields + QStringList{"Выход"});
            e.exitButton->click();
        });
        // A record with a requisition: the combos show it and keep their names;
        // materials and crew are open to the keyboard too.
        goToRecord(990103);
        inEditor(journal_->editButton, [&](editor::ShiftRecordEditor& e) {
            bringUp(e);
            QVERIFY(e.LCB_id_doc->currentText().startsWith(QStringLiteral("Заявка № Т-1")));
            QVERIFY(!e.LCB_id_doc_item->currentText().isEmpty());
            checkChain(e, e.LCB_id_doc, fields + QStringList{"Расход ТМЦ", "Добавить", "Удалить", "Выход"});
            QAccessibleInterface* combo = QAccessible::queryAccessibleInterface(e.LCB_id_doc);
            QCOMPARE(combo->role(), QAccessible::ComboBox);
            QCOMPARE(combo->text(QAccessible::Value), e.LCB_id_doc->currentText());
            e.exitButton->click();
        });
    }

    void pickerListChains()
    {
        inNewRecord([&](editor::ShiftRecordEditor& e) {
            script_->on<reference::WorkerList>(QStringLiteral("Form5"), [](reference::WorkerList& w) {
                bringUp(w);
                checkChain(w, w.grid, {"Рабочие", "Поиск", "Выбрать", "Выход"});
                w.exitButton->click();
            });
            e.workerButton->click();
            script_->on<reference::OperationList>(QStringLiteral("Form4"), [](reference::OperationList& w) {
                bringUp(w);
                checkChain(w, w.grid, {"Операции", "Выбрать", "Excel", "Цены", "Поиск", "Выход"});
                w.exitButton->click();
            });
            e.operationButton->click();
            QCOMPARE(script_->pending(), 0);
            e.exitButton->click();
        });
    }

    // The chain from a window's first control reaches all it shows, in
    // reading order, and each control has a name.
    static void checkWindow(QDialog& window)
    {
        testing::MessageRecorder messages;
        bringUp(window);
        QList<QWidget*> controls = reachableControls(&window);
        QVERIFY2(!controls.isEmpty(), qPrintable(window.objectName()));
        const auto topLeft = [&window](QWidget* a, QWidget* b) {
            const QPoint pa = a->mapTo(&window, QPoint()), pb = b->mapTo(&window, QPoint());
            return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
        };
        QStringList met;
        walk(window, *std::min_element(controls.begin(), controls.end(), topLeft), &met);
        QVERIFY2(messages.count() == 0,
                 qPrintable(window.objectName() + QStringLiteral(": ") + messages.texts().join(QStringLiteral("; "))));
    }

    // Every other window as it is built, and the material dialog as the editor opens it.
    void everyWindowInReadingOrder()
    {
        app::Windows& w = *windows_;
        for (QDialog* window : std::initializer_list<QDialog*>{
                 &w.login, &w.products, &w.operations, &w.workers, &w.productEditor, &w.kinds, &w.kindEditor,
                 &w.operationEditor, &w.summaryReports, &w.timeSheet, &w.normEditor}) {
            checkWindow(*window);
            window->hide();
        }
        goToRecord(990103);
        inEditor(journal_->editButton, [&](editor::ShiftRecordEditor& e) {
            script_->on<QDialog>(QStringLiteral("Form24"), [](QDialog& d) {
                checkWindow(d);
                d.reject();
            });
            e.materialAddButton->click();
            QCOMPARE(script_->pending(), 0);
            e.exitButton->click();
        });
    }

    // Enter presses the default button, Escape leaves: in the editor and in
    // both lists it opens for picking.
    void enterAndEscape()
    {
        QVERIFY(windows_->login.findChild<QPushButton*>(QStringLiteral("Button1"))->isDefault());
        inNewRecord([&](editor::ShiftRecordEditor& e) {
            bringUp(e);
            testing::MessageRecorder messages;
            QTest::keyClick(e.quantityEdit, Qt::Key_Return);
            QCOMPARE(messages.texts(), QStringList{QStringLiteral("Все поля должны быть заполнены!")});

            script_->on<reference::WorkerList>(QStringLiteral("Form5"), [](reference::WorkerList& w) {
                bringUp(w);
                QTest::keyClick(w.searchEdit, Qt::Key_Escape);
                QVERIFY(!w.isVisible());
            });
            e.workerButton->click();
            QVERIFY(e.workerEdit->text().isEmpty());
            script_->on<reference::WorkerList>(QStringLiteral("Form5"), [](reference::WorkerList& w) {
                bringUp(w);
                testing::typeText(w.searchEdit, QStringLiteral("Тестова"));
                QTest::keyClick(w.searchEdit, Qt::Key_Return);
            });
            e.workerButton->click();
            QCOMPARE(e.workerEdit->text(), QStringLiteral("Тестова В.В."));

            script_->on<reference::OperationList>(QStringLiteral("Form4"), [](reference::OperationList& w) {
                bringUp(w);
                QTest::keyClick(w.grid, Qt::Key_Escape);
                QVERIFY(!w.isVisible());
            });
            e.operationButton->click();
            QVERIFY(e.operationEdit->text().isEmpty());
            script_->on<reference::OperationList>(QStringLiteral("Form4"), [this](reference::OperationList& w) {
                bringUp(w);
                QVERIFY(dm().Oper.locate(QStringLiteral("id"), 9302));
                w.grid->setFocus();
                QTest::keyClick(w.grid, Qt::Key_Return);
            });
            e.operationButton->click();
            QCOMPARE(e.operationEdit->text(), QStringLiteral("ТЕСТ-1; Краска порошковая; Заготовки"));
            QCOMPARE(script_->pending(), 0);

            QTest::keyClick(e.quantityEdit, Qt::Key_Escape);
            QVERIFY(!e.isVisible());
        });
    }

    // The toolkit's buttons speak Russian like the rest: a question's Yes and No.
    void standardButtonsInRussian()
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Удаление"), QStringLiteral("Удалить позицию из списка?"),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));
    }

    // Last: showing the journal puts it on today.
    void journalChain()
    {
        bringUp(*journal_);
        checkChain(*journal_, journal_->RadioButton1,
                   {"Смена №1", "Дата", "Выходной", "Записи смены", "Добавить", "Изменить", "Удалить", "Принять",
                    "Обновить", "Выход"});
        journal_->hide();
    }
};

TABEL_TEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
