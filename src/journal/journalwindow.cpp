#include "journal/journalwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "journal/journalcolumns.h"
#include "journal/journalokdelegate.h"
#include "session/runstate.h"
#include "ui/datasetgrid.h"
#include "ui/labels.h"

namespace journal {

JournalWindow::JournalWindow(data::DataModule& dataModule, session::RunState& state, QWidget* parent)
    : QDialog(parent), dataModule_(dataModule), state_(state), acceptance_(dataModule)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Табель"));
    buildControls();
    buildMenu();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(30000);
    connectJournalActions();
    connectRecordActions();
}

JournalWindow::~JournalWindow() = default;

void JournalWindow::buildControls()
{
    auto* top = new QHBoxLayout;
    auto makeShift = [&](const char* name, const QString& caption) {
        auto* b = new QRadioButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoFillBackground(true);
        top->addWidget(b);
        return b;
    };
    RadioButton1 = makeShift("RadioButton1", QStringLiteral("Смена №1"));
    RadioButton2 = makeShift("RadioButton2", QStringLiteral("Смена №2"));
    RadioButton3 = makeShift("RadioButton3", QStringLiteral("Смена №3"));
    RadioButton4 = makeShift("RadioButton4", QStringLiteral("Переработка"));
    RadioButton1->setChecked(true);

    DateT = new QDateEdit(QDate::currentDate(), this);
    DateT->setObjectName(QStringLiteral("DateT"));
    DateT->setCalendarPopup(true);
    DateT->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DateT->setAccessibleName(QStringLiteral("Дата"));
    top->addWidget(DateT);

    CBox1 = new QCheckBox(QStringLiteral("Выходной"), this);
    CBox1->setObjectName(QStringLiteral("CBox1"));
    CBox1->setAutoFillBackground(true);
    top->addWidget(CBox1);
    top->addStretch();

    QList<ui::GridColumn> gridColumns = journalColumns();
    fitColumnsToFont(gridColumns, font());
    DBGrid2 = new ui::DatasetGrid(gridColumns, this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setAccessibleName(QStringLiteral("Записи смены"));
    const auto& columns = DBGrid2->datasetModel()->columns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].field == QLatin1String("ok"))
            DBGrid2->setItemDelegateForColumn(i, new OkColumnDelegate(DBGrid2));

    auto* bottom = new QHBoxLayout;
    auto makeButton = [&](const char* name, const QString& caption) {
        QPushButton* b = ui::makeButton(this, name, caption);
        bottom->addWidget(b);
        return b;
    };
    addButton = makeButton("ButtonAdd", QStringLiteral("Добавить"));
    editButton = makeButton("ButtonEdit", QStringLiteral("Изменить"));
    deleteButton = makeButton("ButtonDelete", QStringLiteral("Удалить"));
    acceptButton = makeButton("ButtonAccept", QStringLiteral("Принять"));
    refreshButton = makeButton("ButtonRefresh", QStringLiteral("Обновить"));
    bottom->addStretch();
    exitButton = makeButton("ButtonExit", QStringLiteral("Выход"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DBGrid2, 1);
    layout->addWidget(Label1);
    layout->addLayout(bottom);

    // A fixed border, wide enough for every visible column.
    int gridWidth = 2 * DBGrid2->frameWidth() + DBGrid2->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < columns.size(); ++i)
        gridWidth += DBGrid2->columnWidth(i);
    const QMargins margins = layout->contentsMargins();
    setFixedSize(gridWidth + margins.left() + margins.right(), 640);
}

void JournalWindow::buildMenu()
{
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    layout()->setMenuBar(menuBar);

    referenceMenu = menuBar->addMenu(QStringLiteral("Справочники"));
    referenceMenu->setObjectName(QStringLiteral("MenuReference"));
    workersAction = referenceMenu->addAction(QStringLiteral("Рабочие"));
    workersAction->setEnabled(false);
    productsAction = referenceMenu->addAction(QStringLiteral("Изделия"));
    productsAction->setEnabled(false);
    operationKindsAction = referenceMenu->addAction(QStringLiteral("Операции"));
    pricesAction = referenceMenu->addAction(QStringLiteral("Цены"));
    overtimeAction = referenceMenu->addAction(QStringLiteral("Внеурочное"));

    timeSheetAction = menuBar->addAction(QStringLiteral("Табель по времени"));
    timeSheetAction->setObjectName(QStringLiteral("MenuTimeSheet"));

    reportsMenu = menuBar->addMenu(QStringLiteral("Отчеты"));
    reportsMenu->setObjectName(QStringLiteral("MenuReports"));
    summaryReportsAction = reportsMenu->addAction(QStringLiteral("Сводные отчеты"));

    exitAction = menuBar->addAction(QStringLiteral("Выход"));
    exitAction->setObjectName(QStringLiteral("MenuExit"));

    importAction = menuBar->addAction(QStringLiteral("Импорт"));
    importAction->setObjectName(QStringLiteral("MenuImport"));
    importAction->setVisible(false);
}

QRadioButton* JournalWindow::shiftButton(int shift) const
{
    switch (shift) {
    case 2: return RadioButton2;
    case 3: return RadioButton3;
    case 4: return RadioButton4;
    default: return RadioButton1;
    }
}

void JournalWindow::setCurrentShift(int shift)
{
    shift = (shift >= 1 && shift <= 4) ? shift : 1;
    shiftButton(shift)->setChecked(true);  // the button's handler shows it
    state_.setCurrentShift(shift);
}

int JournalWindow::currentShift() const { return state_.currentShift(); }
QDate JournalWindow::journalDate() const { return state_.journalDate(); }
void JournalWindow::setJournalDate(const QDate& date) { DateT->setDate(date); }
bool JournalWindow::dayOff() const { return state_.dayOff(); }

}  // namespace journal
