#pragma once
// What the printed layouts share: their greys, fonts, the product kind and
// colour texts, and the page footer of the portrait reports.

#include <QColor>
#include <QString>
#include <QVariant>

#include "report/layout.h"

namespace reports {

inline const QColor grey244{244, 244, 244};
inline const QColor grey239{239, 239, 239};
inline const QColor grey224{224, 224, 224};
inline const QColor grey220{220, 220, 220};
inline const QColor lineGrey{128, 128, 128};

report::Font arial(double size, bool bold = false);
report::Font msSansSerif(double size, bool bold = false);
report::Font microsoftSansSerif(double size, bool bold = false);

// "Готовая продукция" for product kind 0, else "Заготовки".
QString productKindText(const QVariant& naimen);
// " (грунт)" for colour 1, " (RAL: 1013)" for a colour number above 1, else " ".
QString colourText(const QVariant& color);

// Elements printing those texts for the row's naimen / color.
report::Element productKind();
report::Element colourName();

// The empty 0.5 mm band after a report header.
report::Band spacer();
// Page number at x 176.2, Arial 9, in a 4.2 mm band.
report::Band portraitPageFooter();
// A report footer band: boxed, grey 220.
report::Band reportFooter(double height);

}  // namespace reports
