#include "editor/crewarea.h"

#include <QLineEdit>
#include <QPushButton>

#include "data/datamodule.h"
#include "editor/materialstatements.h"
#include "editor/rowdeletion.h"
#include "editor/shiftrecordeditor.h"
#include "records/crew.h"
#include "reference/workerlist.h"
#include "ui/messages.h"

namespace editor {

namespace {

const QString kCannotSave = QStringLiteral("Невозможно сохранить данные в БД!");

}  // namespace

CrewArea::CrewArea(ShiftRecordEditor& editor) : QObject(&editor), editor_(editor)
{
    connect(editor.crewAddButton, &QPushButton::clicked, this, [this] { add(); });
    connect(editor.crewDeleteButton, &QPushButton::clicked, this, [this] { removeSelected(); });
    connect(editor.crewSaveButton, &QPushButton::clicked, this, [this] { finish(); });
}

void CrewArea::add()
{
    reference::WorkerList& workers = editor_.workerList();
    const bool chosen = workers.pick();
    editor_.workerEdit->clear();
    editor_.dataModule().Workers.close();
    const auto& worker = workers.picked();
    if (!chosen || !worker)
        return;
    // The record is saved and its fields locked: only the person counts here.
    editor_.values().workerCode = worker->workerCode;
    editor_.values().personId = worker->personId;

    data::Dataset& crew = editor_.fio_smena_gds;
    crew.close();
    try {
        records::addCrewMember(editor_.ins_person, editor_.values().recordId, worker->personId);
    } catch (...) {
        ui::showError(kCannotSave);
    }
    crew.open();
}

void CrewArea::removeSelected()
{
    deleteSelectedRow(editor_.fio_smena_gds, editor_.SmenaIU, statements::crewMemberDelete);
}

void CrewArea::finish()
{
    try {
        records::divideBetweenCrew(editor_.dataModule(), editor_.save_all, editor_.values().recordId);
    } catch (...) {
        ui::showError(kCannotSave);
    }
    editor_.accept();
}

}  // namespace editor
