#pragma once
// A banded report layout: what prints where, as plain data. Positions and
// sizes are millimetres; x is measured from the left margin, y from the top of
// the band. The engine (engine.h) turns a layout and its rows into pages.

#include <QColor>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

#include "report/fonts.h"

namespace report {

class RowSource;

enum class Align { Left, Center, Right };
enum class LineStyle { Solid, Dotted };

// Lines drawn along the sides of a band or an element.
struct Frame {
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;
    LineStyle style = LineStyle::Solid;
    QColor color = Qt::black;

    bool any() const { return top || bottom || left || right; }
    static Frame box(LineStyle style = LineStyle::Solid, QColor color = Qt::black);
    static Frame topAndBottom(LineStyle style = LineStyle::Solid, QColor color = Qt::black);
    static Frame leftAndRight(LineStyle style = LineStyle::Solid, QColor color = Qt::black);
};

// One row of the data while a band is filled; no row for bands printed
// without one (report header of an empty report, page footer).
class Row {
public:
    Row() = default;
    Row(const RowSource* source, int index) : source_(source), index_(index) {}
    bool isValid() const { return source_ != nullptr && index_ >= 0; }
    int index() const { return index_; }
    // Null without a row.
    QVariant value(const QString& field) const;
    // The value as a number, an empty one as 0 (values.h: toNumber).
    double number(const QString& field) const;
    // The same by the column the row source gave for the field.
    QVariant value(int column) const;
    double number(int column, const QString& field) const;

private:
    const RowSource* source_ = nullptr;
    int index_ = -1;
};

// What an element prints.
struct Content {
    enum class Kind {
        Text,        // fixed text
        Title,       // the layout's title label
        Field,       // a field of the row
        RowTotal,    // the sum of fields of the row, empty values counted as 0
        Computed,    // a function of the row (conditional text, concatenations)
        Sum,         // running sum of fields over the rows printed since the last reset
        PageNumber,  // the number of the page, from 1
    };
    Kind kind = Kind::Text;
    QString text;
    QStringList fields;  // the fields read (also those a computed value reads)
    std::function<QVariant(const Row&)> compute;
};

struct Element {
    QString name;  // names the printed text in the pages; defaults to what it shows
    Content content;
    double x = 0;
    double width = 0;
    double y = 0;
    double height = 0;  // 0: down to the bottom of the band
    Font font;
    Align align = Align::Left;
    bool autoWidth = false;       // grows to fit its text
    QColor background = Qt::white;  // an invalid colour leaves the band's colour visible
    QString format;               // "#0.00", "#0.000", "#0" or empty (general)
    Frame frame;

    // Chained setters for short layout definitions.
    Element& at(double left, double w) { x = left; width = w; return *this; }
    Element& at(double left) { x = left; autoWidth = true; return *this; }
    Element& line(double top, double h) { y = top; height = h; return *this; }
    Element& in(const Font& f) { font = f; return *this; }
    Element& centred() { align = Align::Center; return *this; }
    Element& right() { align = Align::Right; return *this; }
    Element& on(const QColor& colour) { background = colour; return *this; }
    Element& formatted(const QString& pattern) { format = pattern; return *this; }
    Element& framed(const Frame& f) { frame = f; return *this; }
    Element& named(const QString& n) { name = n; return *this; }
};

Element text(const QString& text);
Element title();
Element field(const QString& name);
// A numeric field printed as a number, an empty value as 0.
Element number(const QString& name);
Element rowTotal(const QStringList& fields);
Element computed(const QString& name, const QStringList& fields, std::function<QVariant(const Row&)> fn);
// Running sum of one field, or of several (the sum of their sums).
Element sum(const QStringList& fields);
Element pageNumber();

struct Band {
    QString name;
    double height = 0;
    QColor background;  // invalid: none
    Frame frame;
    QList<Element> elements;
    // Room the band needs below itself to be placed on the current page.
    double extraRoom = 0;

    Band() = default;
    Band(QString bandName, double h) : name(std::move(bandName)), height(h) {}
    Band& on(const QColor& colour) { background = colour; return *this; }
    Band& framed(const Frame& f) { frame = f; return *this; }
    Band& operator<<(const Element& e) { elements.append(e); return *this; }
    // The element of that name; throws fmt::AppError when there is none.
    Element& element(const QString& elementName);
};

// Rows that share the value of the break field form a group; groups nest in
// the order of the layout's list.
struct Group {
    QString name;
    QString breakField;
    std::optional<Band> header;  // moves to a new page unless it fits together with the footer
    std::optional<Band> footer;  // its sums reset after it prints
};

struct PageSetup {
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double margin = 10;  // mm, all four sides

    QSizeF paperSize() const;    // mm
    QSizeF contentSize() const;  // mm, inside the margins
    QPageLayout pageLayout() const;
};

struct Layout {
    QString name;   // shown in the preview's caption and proposed as the file name
    QString title;  // the title label's text
    PageSetup page;
    std::optional<Band> reportHeader;  // once, first
    std::optional<Band> spacer;        // right after the report header
    std::optional<Band> columnHeader;  // before the first row and at the top of every page
    QList<Group> groups;               // outermost first
    Band detail{QStringLiteral("detail"), 0};
    std::optional<Band> reportFooter;  // once, last; its sums never reset
    std::optional<Band> pageFooter;    // at the bottom of every page

    // Every field the layout reads.
    QStringList fields() const;
};

}  // namespace report
