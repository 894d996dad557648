#pragma once
// Print preview of a laid-out report: pages through, zooms, prints and saves
// as PDF. It paints the prepared pages itself (report/painter.h). Given a
// report still being laid out, it shows the pages laid out so far and lays
// out the rest while the user looks; printing, saving and the last page wait
// for the whole report.

#include <QDialog>
#include <QImage>
#include <memory>

#include "report/document.h"
#include "report/engine.h"
#include "reports/printedlayout.h"

class QAction;
class QLabel;
class QScrollArea;

namespace reports {

class PrintPreview : public QDialog {
    Q_OBJECT

public:
    // Opens maximized at the given zoom. proposePdf: "Сохранить" proposes a
    // file name ending in ".pdf".
    PrintPreview(report::Document document, PreviewZoom zoom, bool proposePdf, QWidget* parent = nullptr);
    // A report whose first pages are laid out; the rest follows between events.
    PrintPreview(std::unique_ptr<report::Pagination> pagination, PreviewZoom zoom, bool proposePdf,
                 QWidget* parent = nullptr);

    // The whole report (laid out to its end first).
    const report::Document& document();
    // Whether the whole report is laid out.
    bool complete() const { return !pagination_; }
    // The pages that can be shown: all once complete.
    int pageCount() const;
    int currentPage() const { return page_; }  // from 0
    PreviewZoom zoom() const { return zoom_; }
    double pixelsPerMillimetre() const { return scale_; }
    QString proposedFileName() const;

    void showPage(int index);
    void setZoom(PreviewZoom zoom);
    // Asks for the printer through the print dialog and prints.
    void print();
    // Asks for a file name and writes the pages as PDF.
    void save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class PageView;

    void build();
    // The pages laid out so far.
    const report::Document& laidOut() const;
    // Pages are still being laid out (after a failure those laid out are all there are).
    bool growing() const;
    // Lays out a slice of the rest, and the next slice after pending events.
    void continueLayout();
    void finishLayout();
    void fit();
    void updateControls();

    std::unique_ptr<report::Pagination> pagination_;  // while the report is laid out
    report::Document document_;
    PreviewZoom zoom_;
    bool proposePdf_;
    int page_ = 0;
    double scale_ = 1;
    QScrollArea* area_ = nullptr;
    PageView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QAction* first_ = nullptr;
    QAction* previous_ = nullptr;
    QAction* next_ = nullptr;
    QAction* last_ = nullptr;
};

}  // namespace reports
