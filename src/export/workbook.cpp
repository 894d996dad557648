#include "export/workbook.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "core/textformat.h"

namespace xlsx {
namespace {

// Width of the digits of the default font (Calibri 11) in pixels; column
// widths are counted in these.
constexpr double digitPixels = 7;

// Approximate advance of a character of the default font in pixels.
double advance(QChar c)
{
    static const QString narrow = QStringLiteral(" .,:;!'|iljI");
    if (narrow.contains(c))
        return 3;
    if (c.isDigit())
        return digitPixels;
    if (c.isUpper())
        return 8;
    return 6;
}

}  // namespace

std::optional<double> numberOf(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^-?[0-9]+(,[0-9]+)?(E-?[0-9]+)?$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(value) || fmt::general(value) != text)
        return std::nullopt;
    return value;
}

double fittedWidth(const QString& text, bool bold)
{
    double pixels = 0;
    for (const QChar c : text)
        pixels += advance(c);
    if (bold)
        pixels *= 1.1;
    return std::min(maxColumnWidth, pixels / digitPixels + 1);
}

bool Sheet::validAddress(int column, int row)
{
    return column >= 1 && column <= maxColumns && row >= 1 && row <= maxRows;
}

Cell& Sheet::touch(int column, int row)
{
    return cells_[{row, column}];
}

void Sheet::forget(int column, const Cell& cell)
{
    if (cell.text.isEmpty())
        return;
    auto& widths = cellWidths_[column];
    const auto it = widths.find(fittedWidth(cell.text, cell.bold));
    if (it != widths.end())
        widths.erase(it);
}

void Sheet::remember(int column, const Cell& cell)
{
    if (!cell.text.isEmpty())
        cellWidths_[column].insert(fittedWidth(cell.text, cell.bold));
}

void Sheet::setValue(int column, int row, const QString& text)
{
    Cell& c = touch(column, row);
    forget(column, c);
    c.text = text;
    c.number = c.textFormat ? std::nullopt : numberOf(text);
    remember(column, c);
}

void Sheet::setTextFormat(int column, int row)
{
    touch(column, row).textFormat = true;
}

void Sheet::setBold(int column, int row, bool bold)
{
    Cell& c = touch(column, row);
    forget(column, c);
    c.bold = bold;
    remember(column, c);
}

void Sheet::autoFit(int column)
{
    const auto it = cellWidths_.find(column);
    if (it == cellWidths_.end() || it->second.empty())
        widths_.erase(column);  // an empty column goes back to the default width
    else
        widths_[column] = *it->second.rbegin();
}

const Cell* Sheet::cell(int column, int row) const
{
    const auto it = cells_.find({row, column});
    return it == cells_.end() ? nullptr : &it->second;
}

std::optional<double> Sheet::columnWidth(int column) const
{
    const auto it = widths_.find(column);
    if (it == widths_.end())
        return std::nullopt;
    return it->second;
}

Workbook::Workbook()
{
    sheets_.emplace_back(QStringLiteral("Лист1"));
}

Sheet* Workbook::sheet(int number)
{
    if (number < 1 || number > sheetCount())
        return nullptr;
    return &sheets_[std::size_t(number - 1)];
}

const Sheet* Workbook::sheet(int number) const
{
    return const_cast<Workbook*>(this)->sheet(number);
}

}  // namespace xlsx
