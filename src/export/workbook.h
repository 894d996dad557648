#pragma once
// The workbook that an export fills before it is handed to the user: sheets of
// cells addressed as the spreadsheet does (column and row counted from 1), each
// cell holding the text written into it, typed the way the spreadsheet types a
// text that is entered into it, with its "@" text format, bold flag and the
// fitted widths of the columns.

#include <QString>

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace xlsx {

// Limits of a worksheet and of the text of one cell.
constexpr int maxRows = 1048576;
constexpr int maxColumns = 16384;
constexpr int maxTextLength = 32767;
// Widest column the spreadsheet allows, in character widths.
constexpr double maxColumnWidth = 255;

// The number a text stands for when it is entered into a cell without the text
// format: a whole or decimal number written with a decimal comma ("8", "-3",
// "2,5", "1,5E-5"), exactly as the general number format would show it back.
// Any other text stays text: "007" and "2,50" (the zeros would be lost), "2.5"
// (a point is no decimal separator here), "1 000", "=1+2", numbers of more than
// 15 significant digits.
std::optional<double> numberOf(const QString& text);

// Column width, in widths of the digit "0" of the default font, that fits the
// text in one line with a margin.
double fittedWidth(const QString& text, bool bold);

struct Cell {
    QString text;          // as written
    std::optional<double> number;  // set when the cell holds a number
    bool textFormat = false;       // number format "@"
    bool bold = false;

    bool isNumber() const { return number.has_value(); }
};

class Sheet {
public:
    explicit Sheet(QString name) : name_(std::move(name)) {}

    const QString& name() const { return name_; }

    static bool validAddress(int column, int row);

    // Sets the value of a cell: text in a cell with the text format, else a
    // number when the text is one (numberOf), else text. The format and the
    // bold flag of the cell stay as they are.
    void setValue(int column, int row, const QString& text);
    void setTextFormat(int column, int row);
    void setBold(int column, int row, bool bold);
    // Fits the column's width to the cells it holds now.
    void autoFit(int column);

    const Cell* cell(int column, int row) const;
    // The width set by autoFit; none for a column of the default width.
    std::optional<double> columnWidth(int column) const;

    // All cells by (row, column), and the set column widths by column.
    const std::map<std::pair<int, int>, Cell>& cells() const { return cells_; }
    const std::map<int, double>& columnWidths() const { return widths_; }

private:
    Cell& touch(int column, int row);
    void forget(int column, const Cell& cell);
    void remember(int column, const Cell& cell);

    QString name_;
    std::map<std::pair<int, int>, Cell> cells_;
    std::map<int, double> widths_;
    // Fitted width of every non-empty cell of a column, to fit a column at once.
    std::map<int, std::multiset<double>> cellWidths_;
};

class Workbook {
public:
    // A new workbook has one sheet, "Лист1".
    Workbook();

    int sheetCount() const { return int(sheets_.size()); }
    // Sheet by number counted from 1; null when there is no such sheet.
    Sheet* sheet(int number);
    const Sheet* sheet(int number) const;

private:
    std::vector<Sheet> sheets_;
};

}  // namespace xlsx
