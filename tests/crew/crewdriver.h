#pragma once
// Drives the shift record editor of a journal over the crew fixture: opens a
// record the way the journal's buttons do and plays the user in the windows
// that open (the editor, the material dialog, the worker list).

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "crewfixture.h"
#include "editor/dialogscript.h"
#include "editor/lookupcombo.h"
#include "editor/materialdialog.h"
#include "editor/shiftrecordeditor.h"
#include "journal/journalwindow.h"
#include "support/testdatabase.h"

namespace crewtest {

// A click that reaches the button through the application object, so that
// its error handler sees what escapes (a plain click() would not).
inline void press(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// The user opens the drop-down list of "ТМЦ" and takes the material.
inline void chooseMaterial(editor::MaterialDialog& dialog, qint64 material)
{
    editor::LookupComboBox* combo = dialog.LCB_id_gds_use;
    const int index = combo->findData(material);
    QVERIFY2(index >= 0, qPrintable(QString::number(material)));
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCoreApplication::processEvents();
}

class CrewDriver {
public:
    explicit CrewDriver(const QString& suite)
        : db(std::make_unique<testing::TestDatabase>(suite))
    {
        addCrewFixture(*db);
        journal = std::make_unique<journal::JournalWindow>(db->connectionString());
        journal->setJournalDate(kDate);
        journal->setCurrentShift(1);
        reloadJournal();
    }
    ~CrewDriver()
    {
        journal.reset();
        db.reset();
    }

    editor::ShiftRecordEditor& editor() { return journal->recordEditor(); }
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

    // Materials "Добавить" of the editor; `act` runs while the material dialog is shown.
    void inMaterialDialog(editor::ShiftRecordEditor& e, std::function<void(editor::MaterialDialog&)> act)
    {
        script->on<editor::MaterialDialog>(QStringLiteral("Form24"), std::move(act));
        press(e.materialAddButton);
    }

    QVariant scalar(const QString& statement) const { return db->scalar(statement); }

    std::unique_ptr<testing::TestDatabase> db;
    std::unique_ptr<journal::JournalWindow> journal;
    std::unique_ptr<testing::DialogScript> script = std::make_unique<testing::DialogScript>();
};

}  // namespace crewtest
