#include "ui/labels.h"

#include <QLabel>

namespace ui {

QString plainLabelText(const QString& text)
{
    QString s = text;
    s.remove(QLatin1Char('&'));
    s = s.trimmed();
    if (s.endsWith(QLatin1Char(':')))
        s.chop(1);
    return s.trimmed();
}

void nameByLabel(QLabel* label, QWidget* input)
{
    label->setBuddy(input);
    input->setAccessibleName(plainLabelText(label->text()));
}

}  // namespace ui
