#pragma once
// Values of report elements: reading a field as a number and turning a value
// into the text an element prints.

#include <QString>
#include <QVariant>

namespace report {

// A number format of an element: "#0.00" prints exactly two decimals, "#0.000"
// three, "#0" a whole number; no format prints integers as integers and
// fractions in the general number format. The decimal separator is a comma.
class NumberFormat {
public:
    NumberFormat() = default;
    // Throws fmt::AppError for a pattern other than "", "#0", "#0.0", "#0.00", ...
    static NumberFormat parse(const QString& pattern);

    bool isGeneral() const { return decimals_ < 0; }
    int decimals() const { return decimals_; }
    QString text(double value) const;

private:
    int decimals_ = -1;
};

// True for the integer and floating-point variant types.
bool isNumber(const QVariant& value);

// The value as a number; an empty value is 0, a text must hold a number
// (decimal point or comma). Throws fmt::AppError naming the field otherwise.
double toNumber(const QVariant& value, const QString& field);

// The printed text of a field value: empty for null, numbers by the format,
// dates as dd.MM.yyyy, texts as they are. A format on a value that is no
// number throws fmt::AppError naming the field.
QString displayText(const QVariant& value, const NumberFormat& format, const QString& field);

}  // namespace report
