#include "ui/accessibility.h"

#include "ui/screens.h"

#include <QAccessibleWidget>

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

QAccessibleInterface *windowInterface(const QString &, QObject *object)
{
    // Asked for every class of an object from the most derived one up; a window of the program
    // is recognised at its own class.
    auto *screen = dynamic_cast<Screen *>(object);
    if (!screen || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), roleOf(screen->screenId()));
}

} // namespace

void installAccessibleRoles()
{
    QAccessible::installFactory(windowInterface);
}
