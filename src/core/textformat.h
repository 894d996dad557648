#pragma once
// Text and number conventions of the program: trimming, rounding, the general
// number format with a decimal comma and the dd.MM.yyyy date form. These hold
// whatever the workstation's locale is.

#include <QDate>
#include <QString>
#include <stdexcept>

namespace fmt {

// Base of the errors the application-wide handler shows in the standard error box.
class AppError : public std::exception {
public:
    explicit AppError(QString text) : text_(std::move(text)), utf8_(text_.toUtf8()) {}
    const QString& text() const { return text_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString text_;
    QByteArray utf8_;
};

// A text that should have been a number (or a date) and is not.
class ConversionError : public AppError {
public:
    using AppError::AppError;
};

// Removes every character with code 32 or below from both ends; letter case is kept.
QString trimmed(const QString& text);

// Multiplies by 10^4 (10^3), rounds halves to the even neighbour and divides
// again, in extended precision: 0.03125 -> 0.0312, 0.09375 -> 0.0938.
double round4(double value);
double round3(double value);
double roundTo(double value, int decimals);

// Shortest decimal text with at most 15 significant digits, no thousands
// separator, decimal comma: 2.5 -> "2,5", 30 -> "30", 1e-5 -> "1E-5".
QString general(double value);

// Number text with a fixed count of decimals and a decimal comma ("#0.00" -> fixed(v, 2)).
QString fixed(double value, int decimals);

// Statement text of a number: decimal point, no leading zeros ("12,5" typed -> "12.5").
QString sqlNumber(double value);

// Reads a number typed with a decimal comma (a point is taken as a comma too).
// Blanks around it are ignored. Throws ConversionError when the text is no number.
double parseNumber(const QString& text);

// Reads a whole number that fits in 32 bits; throws ConversionError otherwise.
int parseInteger(const QString& text);

// dd.MM.yyyy
QString dateText(const QDate& date);
QDate parseDate(const QString& text);

// 'text' with every apostrophe doubled: a text literal for a statement or a filter.
QString quoted(const QString& text);

}  // namespace fmt
