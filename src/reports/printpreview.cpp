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
#include <QToolBar>
#include <QVBoxLayout>

#include "report/painter.h"
#include "ui/dialogs.h"

namespace reports {

// The current page drawn at the preview's scale; the image is kept until the
// page or the scale changes.
class PrintPreview::PageView : public QWidget {
public:
    explicit PageView(const PrintPreview& preview) : preview_(preview) {}

    void refresh()
    {
        const QSizeF paper = preview_.document().page.paperSize();
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
            image_ = report::renderPage(preview_.document(), preview_.currentPage(), dpi);
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
    setWindowTitle(QStringLiteral("Предварительный просмотр: ") + document_.name);
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
    last_ = tools->addAction(QStringLiteral("Последняя"), this, [this] { showPage(pageCount() - 1); });
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
    return proposePdf_ ? document_.name + QStringLiteral(".pdf") : QString();
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
    const QSizeF paper = document_.page.paperSize();
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
    pageLabel_->setText(QStringLiteral("Страница %1 из %2").arg(page_ + 1).arg(pageCount()));
    first_->setEnabled(page_ > 0);
    previous_->setEnabled(page_ > 0);
    next_->setEnabled(page_ + 1 < pageCount());
    last_->setEnabled(page_ + 1 < pageCount());
}

void PrintPreview::print()
{
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
