#include "report/engine.h"

#include <QElapsedTimer>
#include <QHash>

#include "core/textformat.h"
#include "report/values.h"

namespace report {
namespace {

constexpr double tolerance = 1e-6;
constexpr double autoPadding = 0.6;  // mm added to a measured text width

}  // namespace

class Pagination::Impl {
public:
    // Starts the first page with the report header; throws for a missing
    // field or an unknown format.
    Impl(const Layout& layout, const RowSource& rows)
        : layout_(layout), rows_(rows), content_(layout.page.contentSize()), count_(rows.rowCount())
    {
        bodyBottom_ = content_.height() - (layout.pageFooter ? layout.pageFooter->height : 0);
        prepare();
        doc_.name = layout_.name;
        doc_.page = layout_.page;
        openPage();
        if (layout_.reportHeader)
            place(*layout_.reportHeader, Row());
        if (layout_.spacer)
            place(*layout_.spacer, Row());
        if (layout_.columnHeader)
            emitBand(*layout_.columnHeader, Row());
    }

    bool finished() const { return finished_; }
    int completePages() const { return int(doc_.pages.size()) - (finished_ ? 0 : 1); }
    const Document& document() const { return doc_; }
    Document take() { return std::move(doc_); }

    // Lays out the next row, or ends the report after the last one.
    void step()
    {
        if (finished_)
            return;
        if (next_ < count_) {
            printRow(next_++);
            return;
        }
        if (count_ > 0)
            for (int g = int(layout_.groups.size()) - 1; g >= 0; --g)
                printGroupFooter(g, lastRow_);
        if (layout_.reportFooter)
            place(*layout_.reportFooter, lastRow_);
        closePage();
        finished_ = true;
    }

private:
    // Before the first page: every field must exist and every format be
    // known; the sums start from 0.
    void prepare()
    {
        for (const QString& f : layout_.fields())
            if (!rows_.hasField(f))
                throw fmt::AppError(QStringLiteral("В данных отчета «%1» нет поля «%2»").arg(layout_.name, f));
        auto prepareBand = [this](const Band& band) {
            for (const Element& e : band.elements) {
                Prepared p{NumberFormat::parse(e.format), {}};
                for (const QString& f : e.content.fields)
                    p.columns.append(rows_.column(f));
                prepared_.insert(&e, p);
                if (e.content.kind == Content::Kind::Sum)
                    sums_.insert(&e, 0);
            }
        };
        auto prepare = [&prepareBand](const std::optional<Band>& band) {
            if (band)
                prepareBand(*band);
        };
        prepare(layout_.reportHeader);
        prepare(layout_.spacer);
        prepare(layout_.columnHeader);
        for (const Group& g : layout_.groups) {
            prepare(g.header);
            prepare(g.footer);
        }
        prepareBand(layout_.detail);
        prepare(layout_.reportFooter);
        prepare(layout_.pageFooter);
        for (const Group& g : layout_.groups)
            breakColumns_.append(rows_.column(g.breakField));
    }

    void printRow(int r)
    {
        const int groups = int(layout_.groups.size());
        const Row row(&rows_, r);
        const int broken = r == 0 ? 0 : firstBrokenGroup(r);
        if (r > 0)
            for (int g = groups - 1; g >= broken; --g)
                printGroupFooter(g, lastRow_);
        for (int g = broken; g < groups; ++g)
            printGroupHeader(g, row);
        const Band& detail = layout_.detail;
        place(detail, row, detail.height + detail.extraRoom);
        addToSums(row);
        lastRow_ = row;
    }

    int firstBrokenGroup(int r) const
    {
        for (int g = 0; g < breakColumns_.size(); ++g) {
            const int c = breakColumns_.at(g);
            if (rows_.value(r, c) != rows_.value(r - 1, c))
                return g;
        }
        return int(layout_.groups.size());
    }

    void printGroupHeader(int g, const Row& row)
    {
        const Group& group = layout_.groups.at(g);
        if (group.header)
            place(*group.header, row, group.header->height + (group.footer ? group.footer->height : 0));
    }

    void printGroupFooter(int g, const Row& row)
    {
        const Group& group = layout_.groups.at(g);
        if (!group.footer)
            return;
        place(*group.footer, row);
        resetSums(*group.footer);
    }

    void addToSums(const Row& row)
    {
        for (auto it = sums_.begin(); it != sums_.end(); ++it) {
            const QStringList& fields = it.key()->content.fields;
            const QList<int>& columns = prepared_.value(it.key()).columns;
            for (int i = 0; i < fields.size(); ++i)
                it.value() += row.number(columns.at(i), fields.at(i));
        }
    }

    void resetSums(const Band& band)
    {
        for (const Element& e : band.elements)
            if (auto it = sums_.find(&e); it != sums_.end())
                it.value() = 0;
    }

    // Places the band on this page when it has the room, else on a new one. A
    // page that holds nothing but its repeated header takes the band anyway,
    // so that a band taller than a page cannot break pages without end.
    void place(const Band& band, const Row& row, double needed = -1)
    {
        if (needed < 0)
            needed = band.height;
        if (y_ + needed > bodyBottom_ + tolerance && pageHasBody_) {
            closePage();
            openPage();
        }
        emitBand(band, row);
        pageHasBody_ = true;
    }

    void openPage()
    {
        Page page;
        page.number = int(doc_.pages.size()) + 1;
        if (!doc_.pages.isEmpty()) {
            // Pages of one report hold about as much as the one before.
            const Page& before = doc_.pages.last();
            page.bands.reserve(before.bands.size());
            page.fills.reserve(before.fills.size());
            page.lines.reserve(before.lines.size());
            page.texts.reserve(before.texts.size());
        }
        doc_.pages.append(std::move(page));
        y_ = 0;
        pageHasBody_ = false;
        if (layout_.columnHeader && doc_.pages.size() > 1)
            emitBand(*layout_.columnHeader, Row());
    }

    void closePage()
    {
        if (!layout_.pageFooter)
            return;
        y_ = bodyBottom_;
        emitBand(*layout_.pageFooter, Row(), content_.height());
        resetSums(*layout_.pageFooter);
    }

    // Puts the band's items at the current position and moves below it.
    void emitBand(const Band& band, const Row& row, double limit = -1)
    {
        if (limit < 0)
            limit = bodyBottom_;
        Page& page = doc_.pages.last();
        const double top = y_;
        y_ += band.height;
        const QRectF area(0, 0, content_.width(), limit);
        const QRectF bandRect = QRectF(0, top, content_.width(), band.height).intersected(area);
        if (bandRect.isEmpty() && band.height > 0)
            return;
        const int bandIndex = int(page.bands.size());
        page.bands.append({band.name, bandRect});
        if (band.background.isValid())
            page.fills.append({bandRect, band.background});
        addFrame(page, QRectF(0, top, content_.width(), band.height), band.frame, area);
        for (const Element& e : band.elements) {
            const QString shown = textOf(e, row);
            double width = e.width;
            if (e.autoWidth)
                width = std::max(width, textWidth(e.font, shown) + autoPadding);
            const double height = e.height > 0 ? e.height : band.height - e.y;
            const QRectF full(e.x, top + e.y, width, height);
            const QRectF rect = full.intersected(QRectF(-1e6, 0, 2e6, limit));
            if (rect.isEmpty())
                continue;
            if (e.background.isValid())
                page.fills.append({rect, e.background});
            addFrame(page, full, e.frame, QRectF(-1e6, 0, 2e6, limit));
            page.texts.append({band.name, bandIndex, e.name, shown, rect, e.font, e.align, !e.autoWidth});
        }
    }

    static void addFrame(Page& page, const QRectF& r, const Frame& frame, const QRectF& area)
    {
        if (!frame.any())
            return;
        auto add = [&](QLineF line) {
            const double top = std::max(std::min(line.y1(), line.y2()), area.top());
            const double bottom = std::min(std::max(line.y1(), line.y2()), area.bottom());
            if (bottom < top - tolerance)
                return;
            if (line.x1() == line.x2())
                line = QLineF(line.x1(), top, line.x2(), bottom);
            page.lines.append({line, frame.style, frame.color});
        };
        if (frame.top)
            add(QLineF(r.topLeft(), r.topRight()));
        if (frame.bottom)
            add(QLineF(r.bottomLeft(), r.bottomRight()));
        if (frame.left)
            add(QLineF(r.topLeft(), r.bottomLeft()));
        if (frame.right)
            add(QLineF(r.topRight(), r.bottomRight()));
    }

    QString textOf(const Element& e, const Row& row) const
    {
        const Prepared& p = *prepared_.constFind(&e);
        const NumberFormat& format = p.format;
        const Content& c = e.content;
        switch (c.kind) {
        case Content::Kind::Text:
            return c.text;
        case Content::Kind::Title:
            return layout_.title;
        case Content::Kind::Field:
            return displayText(row.value(p.columns.value(0, -1)), format, c.fields.value(0));
        case Content::Kind::RowTotal: {
            if (!row.isValid())
                return QString();
            double total = 0;
            for (int i = 0; i < c.fields.size(); ++i)
                total += row.number(p.columns.at(i), c.fields.at(i));
            return format.text(total);
        }
        case Content::Kind::Computed:
            return c.compute ? displayText(c.compute(row), format, e.name) : QString();
        case Content::Kind::Sum:
            return format.text(sums_.value(&e));
        case Content::Kind::PageNumber:
            return QString::number(doc_.pages.last().number);
        }
        return QString();
    }

    const Layout& layout_;
    const RowSource& rows_;
    const QSizeF content_;
    const int count_;
    int next_ = 0;  // the next row to lay out
    bool finished_ = false;
    double bodyBottom_ = 0;
    Document doc_;
    double y_ = 0;
    bool pageHasBody_ = false;
    Row lastRow_;
    // What an element needs while it prints: its number format and the
    // columns of the fields it reads.
    struct Prepared {
        NumberFormat format;
        QList<int> columns;
    };
    QHash<const Element*, Prepared> prepared_;
    QHash<const Element*, double> sums_;
    QList<int> breakColumns_;
};

Pagination::Pagination(const Layout& layout, const RowSource& rows)
    : impl_(std::make_unique<Impl>(layout, rows))
{
}

Pagination::~Pagination() = default;

template <typename Done>
bool Pagination::layOutUntil(Done&& done)
{
    if (error_)
        std::rethrow_exception(error_);
    try {
        while (!impl_->finished() && !done())
            impl_->step();
    } catch (...) {
        error_ = std::current_exception();  // the report stops here for good: a row may be half placed
        throw;
    }
    return impl_->finished();
}

bool Pagination::layOutPages(int pages)
{
    return layOutUntil([&] { return impl_->completePages() >= pages; });
}

bool Pagination::layOutFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    int rows = 0;
    return layOutUntil([&] { return ++rows % 64 == 0 && timer.elapsed() >= milliseconds; });
}

bool Pagination::finished() const
{
    return impl_->finished();
}

bool Pagination::failed() const
{
    return bool(error_);
}

int Pagination::completePages() const
{
    return impl_->completePages();
}

const Document& Pagination::document() const
{
    return impl_->document();
}

Document Pagination::finish()
{
    layOutUntil([] { return false; });
    return impl_->take();
}

Document layOut(const Layout& layout, const RowSource& rows)
{
    return Pagination(layout, rows).finish();
}

}  // namespace report
