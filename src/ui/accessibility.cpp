#include "ui/accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace ui {
namespace {

class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (!box())
            return {};
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);  // Name: the accessible name or the buddy's text
    }

    // The one child is the drop-down list, as with the toolkit's own interface.
    int childCount() const override { return box() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return box() && index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return box() && child && child->object() == box()->view() ? 0 : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if (!box() || (action != showMenuAction() && action != pressAction()))
            return;
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

// An editable combo box keeps the toolkit's interface, which also offers its
// line edit; its name is what is typed in it.
QAccessibleInterface* factory(const QString&, QObject* object)
{
    auto* box = qobject_cast<QComboBox*>(object);
    return box && !box->isEditable() ? new NamedComboBox(box) : nullptr;
}

}  // namespace

void installAccessibility()
{
    QAccessible::installFactory(factory);
}

}  // namespace ui
