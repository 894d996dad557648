#include "reference/operationsexport.h"

#include "core/textformat.h"
#include "data/dataset.h"
#include "export/spreadsheet.h"
#include "reference/operationrules.h"

namespace reference {

bool exportOperations(const data::Dataset& operations)
{
    if (xlsx::SpreadsheetOpen() != 1)
        return false;
    constexpr int sheet = 1;
    const QStringList titles = {QStringLiteral("Марка"), QStringLiteral("Операция"), QStringLiteral("Цена"),
                                QStringLiteral("Вид")};
    for (int column = 1; column <= titles.size(); ++column)
        xlsx::SpreadsheetWrite(sheet, column, 1, titles.at(column - 1));

    const QString cenaField = QStringLiteral("cena"), naimenField = QStringLiteral("naimen");
    const int marka = operations.fieldIndex(QStringLiteral("marka")), vid = operations.fieldIndex(QStringLiteral("vid"));
    const int cena = operations.fieldIndex(cenaField), naimen = operations.fieldIndex(naimenField);
    for (int i = 0; i < operations.recordCount(); ++i) {
        const int row = i + 2;
        const QVariant price = operations.valueAt(i, cena);
        xlsx::SpreadsheetWrite(sheet, 1, row, data::variantText(operations.valueAt(i, marka)));
        xlsx::SpreadsheetWrite(sheet, 2, row, data::variantText(operations.valueAt(i, vid)));
        xlsx::SpreadsheetWrite(sheet, 3, row,
                               price.isNull() ? QString() : fmt::general(data::variantNumber(price, cenaField)));
        xlsx::SpreadsheetWrite(sheet, 4, row,
                               operationTypeText(data::variantInteger(operations.valueAt(i, naimen), naimenField)));
    }
    xlsx::SpreadsheetSetVisible(true);
    return true;
}

}  // namespace reference
