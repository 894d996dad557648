#include "reports/printpreview.h"

#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "report/painter.h"
#include "ui/application.h"
#include "ui/busycursor.h"
#include "ui/dialogs.h"

namespace reports {

// The current page drawn at the preview's scale; the image is kept until the
// page or the scale changes.
class PrintPreview::PageView : public QWidget {
public:
    explicit PageView(const PrintPreview& preview) : preview_(preview) {}

    void refresh()
    {
        const QSizeF paper = preview_.laidOut().page.paperSize();
        const double k = preview_.pixelsPerMillimetre();
        setFixedSize(qRound(paper.width() * k), qRound(paper.height() * k));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (preview_.pageCount() == 0)
            return;
        const int dpi = std::max(1, qRound(preview_.pixelsPerMillimetre() * 25.4 * devicePixelRatioF()));
        if (image_.isNull() || imagePage_ != preview_.currentPage() || imageDpi_ != dpi) {
            image_ = report::renderPage(preview_.laidOut(), preview_.currentPage(), dpi);
            imagePage_ = preview_.currentPage();
            imageDpi_ = dpi;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), image_);
    }

private:
    const PrintPreview& preview_;
    QImage image_;
    int imagePage_ = -1;
    int imageDpi_ = 0;
};

PrintPreview::PrintPreview(report::Document document, PreviewZoom zoom, bool proposePdf, QWidget* parent)
    : QDialog(parent), document_(std::move(document)), zoom_(zoom), proposePdf_(proposePdf)
{
    build();
}

PrintPreview::PrintPreview(std::unique_ptr<report::Pagination> pagination, PreviewZoom zoom, bool proposePdf,
                           QWidget* parent)
    : QDialog(parent), pagination_(std::move(pagination)), zoom_(zoom), proposePdf_(proposePdf)
{
    if (pagination_->finished())
        finishLayout();
    build();
    if (pagination_)
        QTimer::singleShot(0, this, &PrintPreview::continueLayout);
}

void PrintPreview::build()
{
    setWindowTitle(QStringLiteral("Предварительный просмотр: ") + laidOut().name);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* tools = new QToolBar;
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(QStringLiteral("Печать"), this, &PrintPreview::print);
    tools->addAction(QStringLiteral("Сохранить"), this, &PrintPreview::save);
    tools->addSeparator();
    first_ = tools->addAction(QStringLiteral("Первая"), this, [this] { showPage(0); });
    previous_ = tools->addAction(QStringLiteral("Предыдущая"), this, [this] { showPage(page_ - 1); });
    pageLabel_ = new QLabel;
    pageLabel_->setContentsMargins(8, 0, 8, 0);
    tools->addWidget(pageLabel_);
    next_ = tools->addAction(QStringLiteral("Следующая"), this, [this] { showPage(page_ + 1); });
    last_ = tools->addAction(QStringLiteral("Последняя"), this, [this] {
        if (growing())
            ui::guarded([this] {
                ui::BusyCursor busy;
                finishLayout();
            });
        showPage(pageCount() - 1);
    });
    tools->addSeparator();
    tools->addAction(QStringLiteral("Во всю страницу"), this, [this] { setZoom(PreviewZoom::WholePage); });
    tools->addAction(QStringLiteral("По ширине"), this, [this] { setZoom(PreviewZoom::PageWidth); });
    tools->addAction(QStringLiteral("100 %"), this, [this] { setZoom(PreviewZoom::ActualSize); });
    tools->addSeparator();
    tools->addAction(QStringLiteral("Закрыть"), this, &QDialog::accept);

    area_ = new QScrollArea;
    area_->setBackgroundRole(QPalette::Dark);
    area_->setAlignment(Qt::AlignCenter);
    view_ = new PageView(*this);
    area_->setWidget(view_);
    area_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(area_, 1);

    resize(1000, 750);
    setWindowState(Qt::WindowMaximized);
    fit();
    updateControls();
}

QString PrintPreview::proposedFileName() const
{
    return proposePdf_ ? laidOut().name + QStringLiteral(".pdf") : QString();
}

const report::Document& PrintPreview::laidOut() const
{
    return pagination_ ? pagination_->document() : document_;
}

bool PrintPreview::growing() const
{
    return pagination_ && !pagination_->failed();
}

int PrintPreview::pageCount() const
{
    return pagination_ ? pagination_->completePages() : int(document_.pages.size());
}

const report::Document& PrintPreview::document()
{
    finishLayout();
    return document_;
}

void PrintPreview::continueLayout()
{
    if (!pagination_)
        return;
    constexpr int sliceMs = 40;  // short enough for the preview to answer the user meanwhile
    ui::guarded([this] {
        if (pagination_->layOutFor(sliceMs))
            finishLayout();
        else
            QTimer::singleShot(0, this, &PrintPreview::continueLayout);
    });
    updateControls();
}

void PrintPreview::finishLayout()
{
    if (!pagination_)
        return;
    document_ = pagination_->finish();
    pagination_.reset();
    if (pageLabel_)
        updateControls();
}

void PrintPreview::showPage(int index)
{
    page_ = std::clamp(index, 0, std::max(0, pageCount() - 1));
    view_->update();
    updateControls();
}

void PrintPreview::setZoom(PreviewZoom zoom)
{
    zoom_ = zoom;
    fit();
}

// Scale of the zoom for the space the scroll area offers.
void PrintPreview::fit()
{
    constexpr int gap = 12;  // pixels around the page
    const QSizeF paper = laidOut().page.paperSize();
    const QRect space = area_->contentsRect();
    const double byWidth =
        (space.width() - area_->verticalScrollBar()->sizeHint().width() - 2 * gap) / paper.width();
    const double byHeight = (space.height() - 2 * gap) / paper.height();
    switch (zoom_) {
    case PreviewZoom::WholePage:
        scale_ = std::min((space.width() - 2 * gap) / paper.width(), byHeight);
        break;
    case PreviewZoom::PageWidth:
        scale_ = byWidth;
        break;
    case PreviewZoom::ActualSize:
        scale_ = logicalDpiX() / 25.4;
        break;
    }
    scale_ = std::max(scale_, 0.5);
    view_->refresh();
}

void PrintPreview::updateControls()
{
    // While the rest is laid out the count grows: "Страница 1 из 40…".
    const bool growing = this->growing();
    pageLabel_->setText(QStringLiteral("Страница %1 из %2").arg(page_ + 1).arg(pageCount()) +
                        (growing ? QStringLiteral("…") : QString()));
    first_->setEnabled(page_ > 0);
    previous_->setEnabled(page_ > 0);
    next_->setEnabled(page_ + 1 < pageCount());
    last_->setEnabled(page_ + 1 < pageCount() || growing);
}

void PrintPreview::print()
{
    finishLayout();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(document_.page.pageLayout());
    printer.setDocName(document_.name);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintToFile);
    if (ui::execModal(dialog) != QDialog::Accepted)
        return;
    report::print(document_, printer);
}

void PrintPreview::save()
{
    finishLayout();
    QFileDialog dialog(this, QStringLiteral("Сохранить отчет"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Документ PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (proposePdf_)
        dialog.selectFile(proposedFileName());
    if (ui::execModal(dialog) != QDialog::Accepted)
        return;
    const QString fileName = dialog.selectedFiles().value(0);
    if (!fileName.isEmpty())
        report::writePdf(document_, fileName);
}

bool PrintPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == area_ && event->type() == QEvent::Resize && zoom_ != PreviewZoom::ActualSize)
        fit();
    return QDialog::eventFilter(watched, event);
}

void PrintPreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fit();
}

}  // namespace reports
