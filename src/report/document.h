#pragma once
// A report laid out into pages: positioned, formatted texts, lines and filled
// rectangles, in millimetres from the top left corner of the page's printable
// area (inside the margins). Painting (painter.h) only draws these.

#include <QColor>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "report/fonts.h"
#include "report/layout.h"

namespace report {

struct PlacedBand {
    QString name;
    QRectF rect;
};

struct PlacedFill {
    QRectF rect;
    QColor color;
};

struct PlacedLine {
    QLineF line;
    LineStyle style = LineStyle::Solid;
    QColor color = Qt::black;
};

struct PlacedText {
    QString band;        // name of the band it belongs to
    int bandIndex = -1;  // that band's index in Page::bands
    QString name;  // name of the element that printed it
    QString text;
    QRectF rect;
    Font font;
    Align align = Align::Left;
    bool clipped = true;  // cut off at the rectangle's sides; auto-width texts are not
};

struct Page {
    int number = 1;
    QList<PlacedBand> bands;  // top to bottom, page footer last
    QList<PlacedFill> fills;
    QList<PlacedLine> lines;
    QList<PlacedText> texts;

    QStringList bandNames() const;
    // Texts of the band's n-th occurrence on the page (0 = first).
    QList<PlacedText> textsOf(const QString& band, int occurrence = 0) const;
    // Text of the named element in the band's n-th occurrence; empty if none.
    QString text(const QString& band, const QString& element, int occurrence = 0) const;
    int count(const QString& band) const;
};

struct Document {
    QString name;
    PageSetup page;
    QList<Page> pages;

    // Band names of all pages in order, as "page:band" ("1:detail").
    QStringList outline() const;
};

}  // namespace report
