#pragma once
// The reports window (Form18, "Отчеты"): five printed summary reports and the
// production export over one period and one product kind.

#include <QDate>

#include "data/dataset.h"
#include "reports/printedlayout.h"
#include "ui/commanddialog.h"

class QDateEdit;
class QPushButton;
class QRadioButton;

namespace data {
class Connection;
}

namespace reports {

// A printed report of the window: its layout form, the dataset the layout
// reads and the text its title starts with.
struct PeriodReport {
    PeriodReport(data::Connection& connection, PrintedLayout layout, const QString& datasetName,
                 const QString& statement, QString titleText);

    PrintedLayout form;     // Form16, Form17, ...
    data::Dataset dataset;  // t_Report, w_Report, i_Report
    QString titleText;      // "   Отчет по рабочим за период с "
};

enum class ProductKind { All, Finished, Blanks };

class SummaryReportsWindow : public ui::CommandDialog {
    Q_OBJECT
public:
    explicit SummaryReportsWindow(data::Connection& connection, QWidget* parent = nullptr);

    // The journal's menu entry: the period set, the window shown modally. The
    // product kind stays as it was chosen.
    void openOnPeriod(const QDate& from, const QDate& to);

    QDate fromDate() const;
    QDate toDate() const;
    ProductKind productKind() const;

    // A printed report: its dataset opened on the period and kind, the title
    // set, the preview shown; the dataset is closed when the preview is.
    void printReport(PeriodReport& report);
    // "Excel (0 из 0)": the production totals as a workbook.
    void exportProduction();

    PeriodReport Form16;  // "Отчет по рабочим"
    PeriodReport Form17;  // "Отчет по продукции"
    PeriodReport Form20;  // "Детальный отчет по рабочим"
    PeriodReport Form21;  // "Детальный отчет по продукции"
    PeriodReport Form25;  // "Детальный отчет по заявкам"
    data::Dataset XLS_Rep;  // the production export

    QRadioButton* allKinds;       // "Все"
    QRadioButton* finishedKind;   // "Готовая продукция"
    QRadioButton* blanksKind;     // "Заготовки"
    QDateEdit* DateTimePicker1;   // "с"
    QDateEdit* DateTimePicker2;   // "по"
    QPushButton* workersButton;
    QPushButton* productsButton;
    QPushButton* workersDetailButton;
    QPushButton* productsDetailButton;
    QPushButton* requisitionsButton;
    QPushButton* excelButton;
    QPushButton* exitButton;

private:
    void buildControls();
    // The period's parameters and the kind's filter given to the dataset, which is opened.
    void openOnChoice(data::Dataset& dataset);
};

}  // namespace reports
