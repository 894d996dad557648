#pragma once
// Print preview of a laid-out report: pages through, zooms, prints and saves
// as PDF. It paints the prepared pages itself (report/painter.h).

#include <QDialog>
#include <QImage>

#include "report/document.h"
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

    const report::Document& document() const { return document_; }
    int pageCount() const { return int(document_.pages.size()); }
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

    void fit();
    void updateControls();

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
