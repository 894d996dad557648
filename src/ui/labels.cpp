#include "ui/labels.h"

#include <QLabel>
#include <QPushButton>

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

QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

}  // namespace ui
