#include "reference/searchkeys.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

#include "data/dataset.h"

namespace reference {

namespace {

bool isTyping(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Backspace)
        return true;
    if (key.matches(QKeySequence::Paste) || key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Cut)
        || key.matches(QKeySequence::SelectAll) || key.matches(QKeySequence::Undo))
        return true;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint() && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool isDialogKey(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter
        || key == Qt::Key_Escape;
}

class SearchKeys : public QObject {
public:
    SearchKeys(data::Dataset& list, OtherKeys others, QObject* parent) : QObject(parent), list_(list), others_(others)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            if (list_.isOpen()) {
                if (key->key() == Qt::Key_Up)
                    list_.prior();
                else
                    list_.next();
            }
            return true;
        }
        return others_ == OtherKeys::Blocked && !(isTyping(*key) || isDialogKey(key->key()));
    }

private:
    data::Dataset& list_;
    OtherKeys others_;
};

}  // namespace

void installSearchKeys(QLineEdit* field, data::Dataset& list, OtherKeys others)
{
    field->installEventFilter(new SearchKeys(list, others, field));
}

}  // namespace reference
