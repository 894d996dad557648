#include "ui/keyfilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace ui {

QChar filterKey(KeyRule rule, QChar typed)
{
    if (typed == QLatin1Char('\b'))
        return typed;
    if (typed >= QLatin1Char('0') && typed <= QLatin1Char('9'))
        return typed;
    if (rule == KeyRule::DecimalComma && (typed == QLatin1Char('.') || typed == QLatin1Char(',')))
        return QLatin1Char(',');
    return {};
}

namespace {

class KeyFilter : public QObject {
public:
    KeyFilter(KeyRule rule, QObject* parent) : QObject(parent), rule_(rule) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Keys without text (arrows, Delete, Tab, shortcuts) keep their normal meaning.
        if (text.size() != 1 || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Tab
            || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape
            || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const QChar out = filterKey(rule_, text.at(0));
        if (out.isNull())
            return true;
        if (out == text.at(0))
            return false;
        QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), QString(out));
        QCoreApplication::sendEvent(watched, &replaced);
        return true;
    }

private:
    KeyRule rule_;
};

}  // namespace

void installKeyFilter(QWidget* field, KeyRule rule)
{
    field->installEventFilter(new KeyFilter(rule, field));
}

}  // namespace ui
