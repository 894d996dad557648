#include "report/layout.h"

#include "core/textformat.h"
#include "report/rowsource.h"
#include "report/values.h"

namespace report {

Frame Frame::box(LineStyle style, QColor color)
{
    return Frame{true, true, true, true, style, color};
}

Frame Frame::topAndBottom(LineStyle style, QColor color)
{
    return Frame{true, true, false, false, style, color};
}

Frame Frame::leftAndRight(LineStyle style, QColor color)
{
    return Frame{false, false, true, true, style, color};
}

QVariant Row::value(const QString& field) const
{
    return isValid() ? source_->value(index_, field) : QVariant();
}

double Row::number(const QString& field) const
{
    return toNumber(value(field), field);
}

QVariant Row::value(int column) const
{
    return isValid() && column >= 0 ? source_->value(index_, column) : QVariant();
}

double Row::number(int column, const QString& field) const
{
    return toNumber(value(column), field);
}

namespace {

Element make(Content::Kind kind, const QString& name, const QString& text = QString(),
             const QStringList& fields = {})
{
    Element e;
    e.name = name;
    e.content.kind = kind;
    e.content.text = text;
    e.content.fields = fields;
    return e;
}

}  // namespace

Element text(const QString& t)
{
    return make(Content::Kind::Text, t, t);
}

Element title()
{
    return make(Content::Kind::Title, QStringLiteral("title"));
}

Element field(const QString& name)
{
    return make(Content::Kind::Field, name, QString(), {name});
}

Element number(const QString& name)
{
    return make(Content::Kind::RowTotal, name, QString(), {name});
}

Element rowTotal(const QStringList& fields)
{
    return make(Content::Kind::RowTotal, fields.join(QLatin1Char('+')), QString(), fields);
}

Element computed(const QString& name, const QStringList& fields, std::function<QVariant(const Row&)> fn)
{
    Element e = make(Content::Kind::Computed, name, QString(), fields);
    e.content.compute = std::move(fn);
    return e;
}

Element sum(const QStringList& fields)
{
    return make(Content::Kind::Sum, QStringLiteral("sum(%1)").arg(fields.join(QLatin1Char('+'))), QString(), fields);
}

Element pageNumber()
{
    return make(Content::Kind::PageNumber, QStringLiteral("page"));
}

Element& Band::element(const QString& elementName)
{
    for (Element& e : elements)
        if (e.name == elementName)
            return e;
    throw fmt::AppError(QStringLiteral("В полосе «%1» макета отчета нет элемента «%2»").arg(name, elementName));
}

QSizeF PageSetup::paperSize() const
{
    const QSizeF s = QPageSize(size).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QSizeF PageSetup::contentSize() const
{
    const QSizeF s = paperSize();
    return QSizeF(s.width() - 2 * margin, s.height() - 2 * margin);
}

QPageLayout PageSetup::pageLayout() const
{
    return QPageLayout(QPageSize(size), orientation, QMarginsF(margin, margin, margin, margin),
                       QPageLayout::Millimeter);
}

QStringList Layout::fields() const
{
    QStringList all;
    auto addBand = [&all](const std::optional<Band>& band) {
        if (band)
            for (const Element& e : band->elements)
                all += e.content.fields;
    };
    addBand(reportHeader);
    addBand(spacer);
    addBand(columnHeader);
    for (const Group& g : groups) {
        all.append(g.breakField);
        addBand(g.header);
        addBand(g.footer);
    }
    addBand(detail);
    addBand(reportFooter);
    addBand(pageFooter);
    all.removeAll(QString());
    all.removeDuplicates();
    return all;
}

}  // namespace report
