#pragma once
// Drives the shift record editor of a journal over the crew fixture: opens a
// record the way the journal's buttons do and plays the user in the windows
// that open (the editor, the material dialog, the worker list).

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/windows.h"
#include "crewfixture.h"
#include "editor/dialogscript.h"
#include "editor/lookupcombo.h"
#include "editor/materialdialog.h"
#include "editor/shiftrecordeditor.h"
#include "editor/userinput.h"
#include "journal/journalwindow.h"
#include "reference/operationlist.h"
#include "reference/workerlist.h"
#include "support/testdatabase.h"

namespace crewtest {

// A click that reaches the button through the application object, so that
// its error handler sees what escapes (a plain click() would not).
inline void press(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// The user opens the drop-down list of the combo and takes the entry with the key.
inline void choose(editor::LookupComboBox* combo, qint64 key)
{
    const int index = combo->findData(key);
    QVERIFY2(index >= 0, qPrintable(QString::number(key)));
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCoreApplication::processEvents();
}

inline void chooseMaterial(editor::MaterialDialog& dialog, qint64 material)
{
    choose(dialog.LCB_id_gds_use, material);
}

class CrewDriver {
public:
    explicit CrewDriver(const QString& suite)
        : db(std::make_unique<testing::TestDatabase>(suite))
    {
        addCrewFixture(*db);
        windows = std::make_unique<app::Windows>(db->connectionString());
        journal = &windows->journal;
        journal->setJournalDate(kDate);
        journal->setCurrentShift(1);
        reloadJournal();
    }
    ~CrewDriver()
    {
        journal = nullptr;
        windows.reset();
        db.reset();
    }

    editor::ShiftRecordEditor& editor() { return windows->editor; }
    data::Dataset& shift() { return journal->currentDataset(); }

    void reloadJournal()
    {
        for (int s = 1; s <= 4; ++s) {
            data::Dataset& ds = journal->dataModule().smena(s);
            ds.close();
            ds.setParam(QStringLiteral("data"), kDate);
            ds.setParam(QStringLiteral("ok"), QStringLiteral("ta"));
            ds.open();
        }
    }

    // "Изменить" on the record; `act` runs while the editor is shown.
    void inEditedRecord(int id, std::function<void(editor::ShiftRecordEditor&)> act)
    {
        QVERIFY(shift().locate(QStringLiteral("id"), id));
        script->on<editor::ShiftRecordEditor>(QStringLiteral("Form11"), std::move(act));
        journal->editButton->click();
    }

    // "Добавить" in the journal, the record of the fixture's requisition line
    // filled in and "Запись" pressed; `act` runs while the editor is shown.
    void inNewSavedRecord(std::function<void(editor::ShiftRecordEditor&)> act)
    {
        script->on<editor::ShiftRecordEditor>(QStringLiteral("Form11"), [this, act](editor::ShiftRecordEditor& e) {
            choose(e.LCB_id_doc, kRequisition);
            choose(e.LCB_id_doc_item, kLine);
            pickWorker(e.workerButton, QStringLiteral("Бригадиров"));
            script->on<reference::OperationList>(QStringLiteral("Form4"), [this](reference::OperationList& list) {
                QVERIFY(journal->dataModule().Oper.locate(QStringLiteral("id"), kOperation));
                list.selectButton->click();
            });
            e.operationButton->click();
            e.quantityEdit->setText(QStringLiteral("10"));
            e.rejectsEdit->setText(QStringLiteral("1"));
            e.hoursEdit->setText(QStringLiteral("8"));
            press(e.saveButton);
            QVERIFY(e.values().recordId > 0);
            act(e);
        });
        journal->addButton->click();
    }

    // The worker list opened by `opener` takes the worker whose name begins with `name`.
    void pickWorker(QWidget* opener, const QString& name)
    {
        script->on<reference::WorkerList>(QStringLiteral("Form5"), [name](reference::WorkerList& w) {
            testing::typeText(w.searchEdit, name);
            w.selectButton->click();
        });
        press(opener);
    }

    // Materials "Добавить" of the editor; `act` runs while the material dialog is shown.
    void inMaterialDialog(editor::ShiftRecordEditor& e, std::function<void(editor::MaterialDialog&)> act)
    {
        script->on<editor::MaterialDialog>(QStringLiteral("Form24"), std::move(act));
        press(e.materialAddButton);
    }

    QVariant scalar(const QString& statement) const { return db->scalar(statement); }

    std::unique_ptr<testing::TestDatabase> db;
    std::unique_ptr<app::Windows> windows;
    journal::JournalWindow* journal = nullptr;
    std::unique_ptr<testing::DialogScript> script = std::make_unique<testing::DialogScript>();
};

}  // namespace crewtest
