#include "ui/keyfilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "core/textformat.h"

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

std::optional<QString> filterInserted(KeyRule rule, const QString& inserted)
{
    const QString text = fmt::trimmed(inserted);
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QChar kept = c == QLatin1Char('\b') ? QChar() : filterKey(rule, c);
        if (kept.isNull())
            return std::nullopt;
        out += kept;
    }
    return out;
}

namespace {

class KeyFilter : public QObject {
public:
    KeyFilter(KeyRule rule, QLineEdit* field) : QObject(field), rule_(rule), field_(field), accepted_(field->text())
    {
        setObjectName(QStringLiteral("keyFilter"));
        // textEdited comes for the user's changes only, before textChanged.
        connect(field, &QLineEdit::textEdited, this, [this](const QString& text) { edited(text); });
        connect(field, &QLineEdit::textChanged, this, [this] { accepted_ = field_->text(); });
    }

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
    // The part of the text that is new since the last accepted text goes
    // through the rule; a part the rule refuses leaves the text as it was.
    void edited(const QString& text)
    {
        const QString& before = accepted_;
        qsizetype head = 0;
        const qsizetype shorter = std::min(before.size(), text.size());
        while (head < shorter && before.at(head) == text.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < shorter - head && before.at(before.size() - 1 - tail) == text.at(text.size() - 1 - tail))
            ++tail;
        const QString inserted = text.mid(head, text.size() - head - tail);
        if (inserted.isEmpty())
            return;
        const std::optional<QString> kept = filterInserted(rule_, inserted);
        if (kept == inserted)
            return;
        if (!kept) {
            const QString restored = before;  // a copy: setText changes accepted_
            field_->setText(restored);
            field_->setCursorPosition(int(head));
            return;
        }
        field_->setText(text.left(head) + *kept + text.right(tail));
        field_->setCursorPosition(int(head + kept->size()));
    }

    KeyRule rule_;
    QLineEdit* field_;
    QString accepted_;
};

}  // namespace

void installKeyFilter(QLineEdit* field, KeyRule rule)
{
    field->installEventFilter(new KeyFilter(rule, field));
}

}  // namespace ui
