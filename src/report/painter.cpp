#include "report/painter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "core/textformat.h"

namespace report {
namespace {

constexpr double solidLineWidth = 0.2;   // mm
constexpr double dottedLineWidth = 0.2;  // mm

Qt::Alignment alignment(Align align)
{
    switch (align) {
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

void setPageLayout(QPagedPaintDevice& device, const PageSetup& setup)
{
    // The painter's origin is the paper's corner: margins are applied here.
    device.setPageLayout(QPageLayout(QPageSize(setup.size), setup.orientation, QMarginsF(), QPageLayout::Millimeter));
}

}  // namespace

void paintPage(QPainter& painter, const Document& document, int pageIndex)
{
    const Page& page = document.pages.at(pageIndex);
    const double kx = painter.device()->logicalDpiX() / 25.4;
    const double ky = painter.device()->logicalDpiY() / 25.4;
    const double margin = document.page.margin;
    auto toDevice = [&](const QRectF& r) {
        return QRectF((r.x() + margin) * kx, (r.y() + margin) * ky, r.width() * kx, r.height() * ky);
    };
    auto pointToDevice = [&](const QPointF& p) { return QPointF((p.x() + margin) * kx, (p.y() + margin) * ky); };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PlacedFill& f : page.fills)
        painter.fillRect(toDevice(f.rect), f.color);

    // Dotted lines first: where a solid line shares their place it stays whole.
    for (const LineStyle style : {LineStyle::Dotted, LineStyle::Solid}) {
        const bool dotted = style == LineStyle::Dotted;
        for (const PlacedLine& l : page.lines) {
            if (l.style != style)
                continue;
            painter.setPen(QPen(l.color, std::max(1.0, (dotted ? dottedLineWidth : solidLineWidth) * kx),
                                dotted ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(pointToDevice(l.line.p1()), pointToDevice(l.line.p2()));
        }
    }

    painter.setPen(Qt::black);
    const Font* current = nullptr;
    for (const PlacedText& t : page.texts) {
        if (t.text.isEmpty())
            continue;
        if (current == nullptr || !(*current == t.font)) {
            painter.setFont(toQFont(t.font));
            current = &t.font;
        }
        // Flush with the element's sides and cut off at them, as designed; a
        // text that was measured to fit is never cut, whatever the resolution.
        int flags = int(alignment(t.align) | Qt::AlignVCenter) | Qt::TextSingleLine;
        if (!t.clipped)
            flags |= Qt::TextDontClip;
        painter.drawText(toDevice(t.rect), flags, t.text);
    }
    painter.restore();
}

QImage renderPage(const Document& document, int pageIndex, int dpi)
{
    const QSizeF paper = document.page.paperSize();
    QImage image(qRound(paper.width() * dpi / 25.4), qRound(paper.height() * dpi / 25.4), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, document, pageIndex);
    return image;
}

void writePdf(const Document& document, const QString& fileName)
{
    QPdfWriter writer(fileName);
    writer.setResolution(600);
    writer.setTitle(document.name);
    writer.setCreator(QStringLiteral("Табель"));
    setPageLayout(writer, document.page);
    QPainter painter;
    if (!painter.begin(&writer))
        throw fmt::AppError(QStringLiteral("Не удалось записать файл «%1»").arg(fileName));
    for (int i = 0; i < document.pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        paintPage(painter, document, i);
    }
    painter.end();
}

void print(const Document& document, QPrinter& printer)
{
    printer.setFullPage(true);
    setPageLayout(printer, document.page);
    printer.setDocName(document.name);
    int first = 1;
    int last = int(document.pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    if (first > last)
        return;
    QPainter painter;
    if (!painter.begin(&printer))
        throw fmt::AppError(QStringLiteral("Не удалось начать печать на принтере «%1»").arg(printer.printerName()));
    for (int n = first; n <= last; ++n) {
        if (n > first)
            printer.newPage();
        paintPage(painter, document, n - 1);
    }
    painter.end();
}

}  // namespace report
