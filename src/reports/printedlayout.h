#pragma once
// A printed layout of the program: its layout definition, its title label,
// and the generate-and-preview operation. The window that prints hands over
// its open dataset as a report::RowSource, sets the title and calls preview();
// the call returns when the user closes the preview.

#include <QString>

#include "report/document.h"
#include "report/layout.h"
#include "report/rowsource.h"

class QWidget;

namespace reports {

enum class PreviewZoom { WholePage, PageWidth, ActualSize };

class PrintedLayout {
public:
    // formName: the report form the layout belongs to ("Form15").
    // proposePdf: the preview's "save" proposes a PDF file name of its own.
    PrintedLayout(QString formName, report::Layout layout, PreviewZoom zoom, bool proposePdf = false);

    const QString& formName() const { return formName_; }
    const report::Layout& layout() const { return layout_; }
    PreviewZoom zoom() const { return zoom_; }
    bool proposesPdf() const { return proposePdf_; }

    // The title label; it keeps its text until it is set again.
    const QString& title() const { return layout_.title; }
    void setTitle(const QString& text) { layout_.title = text; }

    // The pages for the rows. Throws fmt::AppError for a missing field or a
    // value of the wrong kind.
    report::Document generate(const report::RowSource& rows) const;

    // Shows the report in the print preview (maximized, at the layout's zoom)
    // as soon as its first page is laid out; the rest is laid out while the
    // preview is open, so the rows must stay as they are until it returns,
    // when the preview is closed.
    void preview(const report::RowSource& rows, QWidget* parent = nullptr) const;

    // Generates the report straight into a PDF file.
    void savePdf(const report::RowSource& rows, const QString& fileName) const;

private:
    QString formName_;
    report::Layout layout_;
    PreviewZoom zoom_;
    bool proposePdf_;
};

}  // namespace reports
