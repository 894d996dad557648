#include "export/workbookfile.h"

#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

#include "export/workbook.h"

namespace xlsx {
namespace {

// The four looks a cell can have, made once per file.
class Formats {
public:
    explicit Formats(lxw_workbook* book) : book_(book) {}

    lxw_format* of(const Cell& cell)
    {
        const int index = (cell.textFormat ? 1 : 0) + (cell.bold ? 2 : 0);
        if (index == 0)
            return nullptr;
        if (!formats_[index]) {
            lxw_format* f = workbook_add_format(book_);
            if (cell.textFormat)
                format_set_num_format_index(f, 49);  // "@"
            if (cell.bold)
                format_set_bold(f);
            formats_[index] = f;
        }
        return formats_[index];
    }

private:
    lxw_workbook* book_;
    lxw_format* formats_[4] = {};
};

lxw_error writeSheet(lxw_worksheet* target, const Sheet& sheet, Formats& formats)
{
    for (const auto& [column, width] : sheet.columnWidths()) {
        const lxw_col_t c = lxw_col_t(column - 1);
        if (const lxw_error e = worksheet_set_column(target, c, c, width, nullptr))
            return e;
    }
    for (const auto& [address, cell] : sheet.cells()) {
        if (cell.text.isEmpty())
            continue;
        const lxw_row_t row = lxw_row_t(address.first - 1);
        const lxw_col_t column = lxw_col_t(address.second - 1);
        const lxw_error e = cell.isNumber()
            ? worksheet_write_number(target, row, column, *cell.number, formats.of(cell))
            : worksheet_write_string(target, row, column, cell.text.toUtf8().constData(), formats.of(cell));
        if (e)
            return e;
    }
    return LXW_NO_ERROR;
}

}  // namespace

bool save(const Workbook& workbook, const QString& path, QString* error)
{
    const QByteArray fileName = QFile::encodeName(path);
    // The library's scratch files go beside the result, where writing is known to work.
    QByteArray scratch = QFile::encodeName(QFileInfo(path).absolutePath());
    lxw_workbook_options options = {};
    options.tmpdir = scratch.data();
    lxw_workbook* book = workbook_new_opt(fileName.constData(), &options);
    if (!book) {
        if (error)
            *error = QStringLiteral("не удалось создать книгу");
        return false;
    }
    Formats formats(book);
    lxw_error result = LXW_NO_ERROR;
    for (int n = 1; n <= workbook.sheetCount() && !result; ++n) {
        const Sheet& sheet = *workbook.sheet(n);
        lxw_worksheet* target = workbook_add_worksheet(book, sheet.name().toUtf8().constData());
        result = target ? writeSheet(target, sheet, formats) : LXW_ERROR_MEMORY_MALLOC_FAILED;
    }
    const lxw_error closed = workbook_close(book);  // writes the file and frees the book
    if (!result)
        result = closed;
    if (result && error)
        *error = QString::fromUtf8(lxw_strerror(result));
    return !result;
}

}  // namespace xlsx
