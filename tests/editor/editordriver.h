#pragma once
// Driving the journal and the shift record editor in tests: a fresh database
// with the editor fixture, the journal on the fixture date, modal windows
// played by a DialogScript, and the moves a user makes in the editor.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/windows.h"
#include "dialogscript.h"
#include "editor/lookupcombo.h"
#include "editor/shiftrecordeditor.h"
#include "editorfixture.h"
#include "journal/journalwindow.h"
#include "reference/operationlist.h"
#include "reference/workerlist.h"
#include "userinput.h"

namespace testing {

// A user opening the drop-down list and taking the entry whose text begins with `text`.
inline void choose(editor::LookupComboBox* combo, const QString& text)
{
    int index = -1;
    for (int i = 0; i < combo->count() && index < 0; ++i)
        if (combo->itemText(i).startsWith(text))
            index = i;
    QVERIFY2(index >= 0, qPrintable(text));
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// A click that arrives as an event of the application, so that what escapes
// it goes to the application's error handler.
inline void clickByEvent(QAbstractButton* button)
{
    QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
    QCoreApplication::processEvents();
}

class EditorTestBase : public QObject {
protected:
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<app::Windows> windows_;
    journal::JournalWindow* journal_ = nullptr;
    std::unique_ptr<DialogScript> script_;

    editor::ShiftRecordEditor& editor() { return windows_->editor; }
    data::DataModule& dm() { return windows_->dataModule; }
    session::RunState& state() { return windows_->state; }
    data::Dataset& shift() { return journal_->currentDataset(); }

    // A database of its own with the fixture, and the journal showing the fixture date.
    void setUpJournal(const QString& suite)
    {
        db_ = std::make_unique<TestDatabase>(suite);
        addEditorFixture(*db_);
        windows_ = std::make_unique<app::Windows>(db_->connectionString());
        journal_ = &windows_->journal;
        journal_->setJournalDate(kFixtureDate);
        for (int s = 1; s <= 4; ++s) {
            data::Dataset& ds = dm().smena(s);
            ds.close();
            ds.setParam(QStringLiteral("data"), kFixtureDate);
            ds.setParam(QStringLiteral("ok"), QStringLiteral("ta"));
            ds.open();
        }
    }
    void tearDownJournal()
    {
        journal_ = nullptr;
        windows_.reset();
        db_.reset();
    }

    // Each case: a script of its own, a workday's shift 1 on its first record.
    void startCase()
    {
        script_ = std::make_unique<DialogScript>();
        setDay(false, 1);
        shift().first();
    }

    void setDay(bool dayOff, int shift)
    {
        journal_->CBox1->setChecked(dayOff);
        journal_->setCurrentShift(shift);
    }

    void goToRecord(int id) { QVERIFY(journal_->currentDataset().locate(QStringLiteral("id"), id)); }

    // Opens the editor the way the journal's buttons do and runs `act` while it is shown.
    void inEditor(QPushButton* opener, std::function<void(editor::ShiftRecordEditor&)> act)
    {
        script_->on<editor::ShiftRecordEditor>(QStringLiteral("Form11"), std::move(act));
        opener->click();
        QCOMPARE(script_->pending(), 0);
    }
    void inNewRecord(std::function<void(editor::ShiftRecordEditor&)> act)
    {
        inEditor(journal_->addButton, std::move(act));
    }

    void pickWorker(editor::ShiftRecordEditor& e, const QString& prefix)
    {
        script_->on<reference::WorkerList>(QStringLiteral("Form5"), [prefix](reference::WorkerList& w) {
            typeText(w.searchEdit, prefix);
            w.selectButton->click();
        });
        e.workerButton->click();
    }

    void pickOperation(editor::ShiftRecordEditor& e, int operationId)
    {
        script_->on<reference::OperationList>(QStringLiteral("Form4"),
                                              [this, operationId](reference::OperationList& list) {
                                                  QVERIFY(dm().Oper.locate(QStringLiteral("id"), operationId));
                                                  list.selectButton->click();
                                              });
        e.operationButton->click();
    }
};

}  // namespace testing
