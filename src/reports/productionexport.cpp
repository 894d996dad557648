#include "reports/productionexport.h"

#include "core/textformat.h"
#include "data/dataset.h"
#include "reports/layout_common.h"

namespace reports {

namespace {

constexpr int sheet = 1;

// A number in the general number format, rounded to a whole one (halves to
// the even neighbour) when asked; an empty value leaves its cell empty.
QString numberText(const QVariant& value, const QString& field, bool whole = false)
{
    if (value.isNull())
        return {};
    double number = data::variantNumber(value, field);
    if (whole)
        number = fmt::roundTo(number, 0) + 0.0;  // no "-0"
    return fmt::general(number);
}

}  // namespace

QString operationText(const QVariant& vid, const QVariant& color)
{
    const QString name = data::variantText(vid);
    const qint64 c = data::variantInt64(color, QStringLiteral("color"));
    if (c == 1)
        return name + QStringLiteral(" (грунт)");
    if (c > 1)
        return name + QStringLiteral(" (цвет: %1)").arg(c);
    return name;
}

bool exportProduction(const data::Dataset& totals, const xlsx::ExportProgress& progress)
{
    if (xlsx::SpreadsheetOpen() != 1)
        return false;
    const int total = totals.recordCount();
    if (progress)
        progress(0, total);

    const QStringList titles = {QStringLiteral("Наименование"), QStringLiteral("Операция"),
                                QStringLiteral("Вид продукции"), QStringLiteral("Коробки"),
                                QStringLiteral("Кол-во")};
    for (int column = 1; column <= titles.size(); ++column)
        xlsx::SpreadsheetWrite(sheet, column, 1, titles.at(column - 1));

    const QString massField = QStringLiteral("mass"), kolvoField = QStringLiteral("kolvo");
    const int nom = totals.fieldIndex(QStringLiteral("nom")), vid = totals.fieldIndex(QStringLiteral("vid"));
    const int color = totals.fieldIndex(QStringLiteral("color")), naimen = totals.fieldIndex(QStringLiteral("naimen"));
    const int mass = totals.fieldIndex(massField), kolvo = totals.fieldIndex(kolvoField);
    for (int i = 0; i < total; ++i) {
        const int row = i + 2;
        xlsx::SpreadsheetWrite(sheet, 1, row, data::variantText(totals.valueAt(i, nom)));
        xlsx::SpreadsheetWrite(sheet, 2, row, operationText(totals.valueAt(i, vid), totals.valueAt(i, color)));
        xlsx::SpreadsheetWrite(sheet, 3, row, productKindText(totals.valueAt(i, naimen)));
        xlsx::SpreadsheetWrite(sheet, 4, row, numberText(totals.valueAt(i, mass), massField));
        xlsx::SpreadsheetWrite(sheet, 5, row, numberText(totals.valueAt(i, kolvo), kolvoField, true));
        if (progress)
            progress(i + 1, total);
    }
    xlsx::SpreadsheetSetVisible(true);
    return true;
}

}  // namespace reports
