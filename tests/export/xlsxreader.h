#pragma once
// Reads back what a written .xlsx file holds: sheet names, cells (number or
// text, "@" format, bold) and column widths. The file is unpacked with unzip.

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace testing {

struct XlsxCell {
    QString value;  // the shared string, or the number's text as stored
    bool isNumber = false;
    bool textFormat = false;  // number format 49, "@"
    bool bold = false;
};

class XlsxFile {
public:
    // Reads the file; false (and error()) when it is no readable workbook.
    bool load(const QString& path);
    QString error() const { return error_; }

    QStringList sheetNames() const { return sheetNames_; }
    // Sheets counted from 1, cells as column and row counted from 1.
    std::optional<XlsxCell> cell(int sheet, int column, int row) const;
    int cellCount(int sheet) const;
    // The stored width of a column; none for a column of the default width.
    std::optional<double> width(int sheet, int column) const;

private:
    struct Style {
        bool textFormat = false;
        bool bold = false;
    };
    struct SheetData {
        QMap<QPair<int, int>, XlsxCell> cells;  // (column, row)
        QHash<int, double> widths;
    };

    bool readSheet(const QByteArray& xml, SheetData* sheet);
    QByteArray member(const QString& path, const QString& name);

    QString error_;
    QStringList sheetNames_;
    QStringList strings_;
    QList<Style> styles_;
    QList<SheetData> sheets_;
};

// "AG12" -> column 33, row 12.
QPair<int, int> cellAddress(const QString& reference);

}  // namespace testing
