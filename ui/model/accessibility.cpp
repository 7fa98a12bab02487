#include "ui/model/accessibility.h"

#include "ui/controls/picklist.h"
#include "ui/model/screens.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QLineEdit>

namespace {

QAccessible::Role roleOf(ScreenId id)
{
    switch (id) {
    case ScreenId::Quit1:
    case ScreenId::Error:
    case ScreenId::Error2:
    case ScreenId::Error4:
    case ScreenId::Error5:
    case ScreenId::Error8:
    case ScreenId::NoSelection:
        return QAccessible::AlertMessage;
    case ScreenId::Options:
        return QAccessible::Dialog;
    default:
        return QAccessible::Window;
    }
}

// A pick list as screen readers see it. Qt's own combo box interface names an editable list by
// its current text on Linux, so a list of levels was announced as "Moderate"; this one is named
// by its caption (its label's text) and gives the text as its value.
class PickListInterface : public QAccessibleWidget
{
public:
    explicit PickListInterface(PickList *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return list()->lineEdit()->text();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        return state;
    }

    // The entries, then the edit field.
    int childCount() const override { return 2; }

    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(list()->view());
        if (index == 1)
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child->object() == list()->view())
            return 0;
        if (child->object() == list()->lineEdit())
            return 1;
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint inList = list()->mapFromGlobal(QPoint(x, y));
        return list()->lineEdit()->geometry().contains(inList) ? child(1) : nullptr;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    PickList *list() const { return static_cast<PickList *>(widget()); }
};

QAccessibleInterface *programInterface(const QString &, QObject *object)
{
    // Asked for every class of an object from the most derived one up: the program's own
    // classes come first, before Qt's factory answers for their Qt base classes.
    if (auto *list = qobject_cast<PickList *>(object))
        return new PickListInterface(list);
    auto *screen = dynamic_cast<Screen *>(object);
    if (screen && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), roleOf(screen->screenId()));
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    QAccessible::installFactory(programInterface);
}
