#pragma once
// Fonts of the printed layouts. Layouts name the faces they were designed
// with (Arial, MS Sans Serif, ...); printing uses the metric-compatible faces
// installed on the workstation.

#include <QFont>
#include <QString>

namespace report {

struct Font {
    QString family = QStringLiteral("Arial");
    double size = 10;  // points
    bool bold = false;

    bool operator==(const Font&) const = default;
};

// The installed face that prints a layout's family: Arial and the MS Sans
// Serif faces -> Liberation Sans, Times New Roman -> Liberation Serif.
QString installedFamily(const QString& family);

QFont toQFont(const Font& font);

// Width of the text in millimetres when printed in the font.
double textWidth(const Font& font, const QString& text);

}  // namespace report
