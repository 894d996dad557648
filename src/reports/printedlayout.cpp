#include "reports/printedlayout.h"

#include <QApplication>

#include "report/engine.h"
#include "report/painter.h"
#include "reports/printpreview.h"
#include "ui/busycursor.h"
#include "ui/dialogs.h"

namespace reports {

PrintedLayout::PrintedLayout(QString formName, report::Layout layout, PreviewZoom zoom, bool proposePdf)
    : formName_(std::move(formName)), layout_(std::move(layout)), zoom_(zoom), proposePdf_(proposePdf)
{
}

report::Document PrintedLayout::generate(const report::RowSource& rows) const
{
    return report::layOut(layout_, rows);
}

void PrintedLayout::preview(const report::RowSource& rows, QWidget* parent) const
{
    report::Document document;
    {
        ui::BusyCursor busy;
        document = generate(rows);
    }
    PrintPreview window(std::move(document), zoom_, proposePdf_, parent ? parent : QApplication::activeWindow());
    window.setObjectName(formName_ + QStringLiteral("Preview"));
    ui::execModal(window);
}

void PrintedLayout::savePdf(const report::RowSource& rows, const QString& fileName) const
{
    report::writePdf(generate(rows), fileName);
}

}  // namespace reports
