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
    // The preview opens on the first page; the rest is laid out while it is shown.
    auto pagination = std::make_unique<report::Pagination>(layout_, rows);
    {
        ui::BusyCursor busy;
        pagination->layOutPages(1);
    }
    PrintPreview window(std::move(pagination), zoom_, proposePdf_, parent ? parent : QApplication::activeWindow());
    window.setObjectName(formName_ + QStringLiteral("Preview"));
    ui::execModal(window);
}

void PrintedLayout::savePdf(const report::RowSource& rows, const QString& fileName) const
{
    report::writePdf(generate(rows), fileName);
}

}  // namespace reports
