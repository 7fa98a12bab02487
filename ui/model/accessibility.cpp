#include "ui/model/accessibility.h"

#include "ui/controls/boxinterface.h"
#include "ui/controls/picklist.h"
#include "ui/controls/pictures.h"
#include "ui/controls/textbox/announcements.h"
#include "ui/controls/textbox/textbox.h"
#include "ui/controls/textbox/textboxinterface.h"
#include "ui/model/fullwindow.h"
#include "ui/model/wizardflow.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {

// What a screen reader says right after a window's title when the user arrives at it: which
// window it is, and for one of the wizard's steps its place among them. Its instructions follow.
QString placeOf(const FullWindow *window)
{
    const int step = WizardFlow::stepNumber(window->screenId());
    if (step == 0)
        return window->heading();
    return QStringLiteral("Step %1 of %2, %3")
        .arg(QString::number(step), QString::number(WizardFlow::stepCount()), window->heading());
}

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

// Set on a window while the user is back at it from a window that opened over it, cleared when it
// shows anew.
constexpr char ReturnedProperty[] = "rankwrightReturnedTo";

// The texts a window shows that caption no control: its instructions, and the reports that take
// their place. In the order they were made, which is the order they are read in.
QStringList shownTexts(const QWidget *window)
{
    QStringList texts;
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() || !label->isVisibleTo(window) || label->text().isEmpty() || label->window() != window)
            continue;
        // The banner's product name is on every window.
        if (qobject_cast<const TitleBanner *>(label->parentWidget()))
            continue;
        texts.append(label->text());
    }
    return texts;
}

// A full window as screen readers see it: a frame with the program's title, described by its
// place and the texts it shows, which screen readers read on arriving at it.
class ScreenInterface : public QAccessibleWidget
{
public:
    explicit ScreenInterface(FullWindow *window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Description)
            return QAccessibleWidget::text(kind);
        QStringList sentences{placeOf(static_cast<const FullWindow *>(widget()))};
        // The texts once per arrival; back from a message or the options window the user has heard
        // them, and anything new there is announced as it shows.
        if (!widget()->property(ReturnedProperty).toBool())
            sentences += shownTexts(widget());
        // Each ends as a sentence, so that a speech synthesizer pauses after it.
        for (QString &sentence : sentences) {
            const QChar last = sentence.trimmed().isEmpty() ? QChar() : sentence.trimmed().back();
            if (last != QLatin1Char('.') && last != QLatin1Char('!') && last != QLatin1Char('?') &&
                last != QLatin1Char(':'))
                sentence = sentence.trimmed() + QLatin1Char('.');
        }
        return sentences.join(QLatin1Char('\n'));
    }
};

// The announcement of captions that have changed: a notification, which screen readers speak as
// it shows, without taking the focus. It is never on the screen itself: the captions are.
class Announcement : public QWidget
{
    Q_OBJECT

public:
    explicit Announcement(QWidget *window)
        : QWidget(window)
    {
        setObjectName(QStringLiteral("announcement"));
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    // The captions it announces, which it holds as a screen reader sees it.
    QList<QPointer<const QLabel>> captions;
};

// Screen readers read a notification's labels, show them in braille and keep them in their list
// of notifications.
class AnnouncementInterface : public QAccessibleWidget
{
public:
    explicit AnnouncementInterface(Announcement *announcement)
        : QAccessibleWidget(announcement, QAccessible::Notification)
    {
    }

    int childCount() const override { return int(captions().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<const QLabel *> shown = captions();
        return index >= 0 && index < shown.size()
                   ? QAccessible::queryAccessibleInterface(const_cast<QLabel *>(shown.at(index)))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(captions().indexOf(qobject_cast<const QLabel *>(child->object())));
    }

private:
    QList<const QLabel *> captions() const
    {
        QList<const QLabel *> live;
        for (const QPointer<const QLabel> &caption : static_cast<Announcement *>(widget())->captions) {
            if (caption)
                live.append(caption);
        }
        return live;
    }
};

// Screen readers keep a window's description once they have read it; each time the user arrives
// at a window they are told that it may have changed, so they read the texts it shows now.
class DescriptionRefresher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || type == QEvent::WindowActivate || type == QEvent::WindowDeactivate) {
            if (auto *window = qobject_cast<FullWindow *>(watched)) {
                if (type == QEvent::Show)
                    window->setProperty(ReturnedProperty, false);
                else if (type == QEvent::WindowDeactivate && window->isVisible())
                    window->setProperty(ReturnedProperty, true);
                QAccessibleEvent changed(window, QAccessible::DescriptionChanged);
                QAccessible::updateAccessibility(&changed);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

QAccessibleInterface *programInterface(const QString &className, QObject *object)
{
    // Asked for every class of an object from the most derived one up: the program's own
    // classes come first, before Qt's factory answers for their Qt base classes.
    if (auto *list = qobject_cast<PickList *>(object))
        return makePickListInterface(list);
    if (auto *window = qobject_cast<FullWindow *>(object))
        return new ScreenInterface(window);
    // The other windows by their roles. Screen is no QObject (each window is also one of Qt's
    // window classes), so only a cross-cast finds it.
    auto *screen = dynamic_cast<Screen *>(object);
    if (screen && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), roleOf(screen->screenId()));
    if (auto *announcement = qobject_cast<Announcement *>(object))
        return new AnnouncementInterface(announcement);
    // Every single-line box, the pick lists' fields and the save dialog's file name included.
    if (className == QLatin1String("QLineEdit"))
        return makeLineBoxInterface(static_cast<QLineEdit *>(object));
    // The multi-line boxes.
    if (auto *box = qobject_cast<TextBox *>(object))
        return makeTextBoxInterface(box);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    QAccessible::installFactory(programInterface);
    installTextBoxAnnouncements();
    qApp->installEventFilter(new DescriptionRefresher(qApp));
}

void announceCaptions(const QList<const QLabel *> &captions)
{
    if (captions.isEmpty())
        return;
    QWidget *window = captions.constFirst()->window();
    auto *announcement = window->findChild<Announcement *>(QString(), Qt::FindDirectChildrenOnly);
    if (!announcement) {
        announcement = new Announcement(window);
        // A screen reader may have asked about it while it was being made, before it was a
        // notification: that answer is dropped, and the next question gets the right one.
        QAccessibleInterface *seen = QAccessible::queryAccessibleInterface(announcement);
        if (seen && seen->role() != QAccessible::Notification)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(seen));
    }
    announcement->captions.clear();
    for (const QLabel *caption : captions)
        announcement->captions.append(caption);
    QAccessibleEvent shown(announcement, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    // The window's description holds the captions too.
    QAccessibleEvent changed(window, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QuietAccessibility::QuietAccessibility()
    : m_previous(QAccessible::installUpdateHandler([](QAccessibleEvent *) {}))
{
}

QuietAccessibility::~QuietAccessibility()
{
    QAccessible::installUpdateHandler(m_previous);
}

#include "accessibility.moc"
