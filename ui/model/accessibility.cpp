#include "ui/model/accessibility.h"

#include "ui/controls/picklist.h"
#include "ui/controls/textboxes.h"
#include "ui/model/screens.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// What a screen reader says right after a window's title when the user arrives at it: which
// window it is. Its instructions follow.
QString placeOf(ScreenId id)
{
    switch (id) {
    case ScreenId::Main:
        return QStringLiteral("Main menu");
    case ScreenId::Step0:
        return QStringLiteral("Step 1 of 7, the target search engine and your web site address");
    case ScreenId::Step1:
        return QStringLiteral("Step 2 of 7, your phrases");
    case ScreenId::Step2:
        return QStringLiteral("Step 3 of 7, the page title and the Meta-Tag description");
    case ScreenId::Step3:
        return QStringLiteral("Step 4 of 7, the page body");
    case ScreenId::Step4:
        return QStringLiteral("Step 5 of 7, the main link and the hit counter");
    case ScreenId::Step5:
        return QStringLiteral("Step 6 of 7, the page settings");
    case ScreenId::Generator:
        return QStringLiteral("Step 7 of 7, your gateway page");
    case ScreenId::Search:
        return QStringLiteral("Submit My Page To Search Engines");
    case ScreenId::Stats:
        return QStringLiteral("Search Engine Tips");
    case ScreenId::KeyWordTips:
        return QStringLiteral("Tips on selecting phrases");
    default:
        return QString();
    }
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
        if (label->parentWidget()->objectName() == QLatin1String("Image2"))
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
    ScreenInterface(QWidget *window, ScreenId id)
        : QAccessibleWidget(window, roleOf(id))
        , m_id(id)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Description || role() != QAccessible::Window)
            return QAccessibleWidget::text(kind);
        const QString place = placeOf(m_id);
        if (place.isEmpty())
            return QAccessibleWidget::text(kind);
        QStringList sentences{place};
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

private:
    ScreenId m_id;
};

// What both kinds of text box are to screen readers: editable text with a caret and one
// selection. The text has one font and one colour throughout, so one run of attributes covers it
// all: Qt's own interfaces report an empty run at every position, and screen readers that read a
// value run by run then drop its last character ("http:/" for "http://").
class BoxInterface : public QAccessibleWidget, public QAccessibleTextInterface, public QAccessibleEditableTextInterface
{
public:
    explicit BoxInterface(QWidget *box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        Q_UNUSED(offset);
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }

protected:
    QAccessible::State boxState(bool readOnly) const
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !readOnly;
        state.readOnly = readOnly;
        state.selectableText = true;
        return state;
    }
};

// A single-line box as screen readers see it, its text whole. A pick list's field is named by the
// list's caption.
class LineBoxInterface : public BoxInterface
{
public:
    explicit LineBoxInterface(QLineEdit *box)
        : BoxInterface(box)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return box()->text();
        if (kind == QAccessible::Name && box()->accessibleName().isEmpty()) {
            if (auto *list = qobject_cast<PickList *>(box()->parentWidget())) {
                if (QAccessibleInterface *listInterface = QAccessible::queryAccessibleInterface(list))
                    return listInterface->text(QAccessible::Name);
            }
        }
        return QAccessibleWidget::text(kind);
    }

    void setText(QAccessible::Text kind, const QString &text) override
    {
        if (kind == QAccessible::Value && !box()->isReadOnly())
            box()->setText(text);
        else
            QAccessibleWidget::setText(kind, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = boxState(box()->isReadOnly());
        state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
        return state;
    }

    // Text.
    QString text(int startOffset, int endOffset) const override
    {
        const QString text = shownText();
        if (startOffset < 0 || endOffset < startOffset || startOffset > text.size())
            return QString();
        return text.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(box()->text().size()); }

    // Caret and selection.
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = box()->selectionEnd();
        }
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            box()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            box()->setSelection(startOffset, endOffset - startOffset);
    }

    // Geometry, in screen coordinates.
    QRect characterRect(int offset) const override
    {
        const QString text = shownText();
        if (offset < 0 || offset >= text.size())
            return QRect();
        // Measured from the caret, which knows how far the text is scrolled.
        const QRect caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics = box()->fontMetrics();
        const int caretAdvance = metrics.horizontalAdvance(text.left(box()->cursorPosition()));
        const int x = caret.x() + metrics.horizontalAdvance(text.left(offset)) - caretAdvance;
        const QRect local(x, caret.y(), metrics.horizontalAdvance(text.at(offset)), caret.height());
        return QRect(box()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        Q_UNUSED(startIndex);
        box()->setCursorPosition(endIndex);
    }

    // Editing.
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        if (box()->isReadOnly())
            return;
        QString value = box()->text();
        if (startOffset < 0 || endOffset < startOffset || startOffset > value.size())
            return;
        box()->setText(value.replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }
    // What the box shows: its text, or as many placeholders when it hides what is typed.
    QString shownText() const
    {
        if (box()->echoMode() == QLineEdit::Normal)
            return box()->text();
        return QString(box()->text().size(), QChar(0x2022));
    }
};

// A multi-line box as screen readers see it. It gives the text as the user typed it: a soft
// break, where the box cut a long paragraph into pieces, is the blank it stands for, and a
// paragraph or a sentence goes on over it. Lines are the lines the box shows. The rest is as
// Qt's own interface for a text edit has it.
class TextBoxInterface : public BoxInterface
{
public:
    explicit TextBoxInterface(TextBox *box)
        : BoxInterface(box)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return boxTextBetween(box(), 0, characterCount());
        return QAccessibleWidget::text(kind);
    }

    void setText(QAccessible::Text kind, const QString &text) override
    {
        if (kind != QAccessible::Value)
            QAccessibleWidget::setText(kind, text);
        else if (!box()->isReadOnly())
            setBoxText(box(), text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = boxState(box()->isReadOnly());
        state.multiLine = true;
        return state;
    }

    // Text.
    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset < 0 || endOffset < startOffset || startOffset > characterCount())
            return QString();
        return boxTextBetween(box(), startOffset, endOffset);
    }
    int characterCount() const override { return box()->document()->characterCount() - 1; }

    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                         int *endOffset) const override
    {
        return textAround(offset, boundary, 0, startOffset, endOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                             int *endOffset) const override
    {
        return textAround(offset, boundary, -1, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                            int *endOffset) const override
    {
        return textAround(offset, boundary, 1, startOffset, endOffset);
    }

    // Caret and selection.
    int cursorPosition() const override { return box()->textCursor().position(); }
    void setCursorPosition(int position) override
    {
        QTextCursor cursor = box()->textCursor();
        cursor.setPosition(qBound(0, position, characterCount()));
        box()->setTextCursor(cursor);
    }
    int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        const QTextCursor cursor = box()->textCursor();
        if (selectionIndex == 0 && cursor.hasSelection()) {
            *startOffset = cursor.selectionStart();
            *endOffset = cursor.selectionEnd();
        }
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex != 0)
            return;
        QTextCursor cursor = box()->textCursor();
        cursor.clearSelection();
        box()->setTextCursor(cursor);
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex != 0)
            return;
        box()->setTextCursor(cursorFor(startOffset, endOffset));
    }

    // Geometry, in screen coordinates.
    QRect characterRect(int offset) const override
    {
        if (offset < 0 || offset >= characterCount())
            return QRect();
        QTextCursor cursor(box()->document());
        cursor.setPosition(offset);
        const QRect caret = box()->cursorRect(cursor);
        const QChar c = box()->document()->characterAt(offset);
        const int width = c.isPrint() ? box()->fontMetrics().horizontalAdvance(c) : 0;
        return QRect(box()->viewport()->mapToGlobal(caret.topLeft()), QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint inViewport = box()->viewport()->mapFromGlobal(point);
        if (!box()->viewport()->rect().contains(inViewport))
            return -1;
        return box()->cursorForPosition(inViewport).position();
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        Q_UNUSED(endIndex);
        if (startIndex < 0 || startIndex > characterCount())
            return;
        // The box scrolls by the lines it shows; the caret stays where it is.
        QTextCursor cursor(box()->document());
        cursor.setPosition(startIndex);
        if (box()->viewport()->rect().contains(box()->cursorRect(cursor)))
            return;
        const QTextBlock block = cursor.block();
        const QTextLine line = block.layout()->lineForTextPosition(startIndex - block.position());
        box()->verticalScrollBar()->setValue(block.firstLineNumber() + (line.isValid() ? line.lineNumber() : 0));
    }

    // Editing, as Qt's own interface for a text edit does it: a replacement is a removal, then
    // an insertion.
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        if (box()->isReadOnly() || startOffset < 0 || endOffset < startOffset || endOffset > characterCount())
            return;
        QTextCursor cursor = cursorFor(startOffset, endOffset);
        cursor.removeSelectedText();
        box()->insertText(cursor, text);
    }

private:
    TextBox *box() const { return static_cast<TextBox *>(widget()); }

    QTextCursor cursorFor(int startOffset, int endOffset) const
    {
        const int end = characterCount();
        QTextCursor cursor(box()->document());
        cursor.setPosition(qBound(0, startOffset, end));
        cursor.setPosition(qBound(0, endOffset, end), QTextCursor::KeepAnchor);
        return cursor;
    }

    // Where the paragraph around a position starts and ends, over soft breaks.
    std::pair<int, int> paragraphAround(int offset) const
    {
        const QTextDocument *document = box()->document();
        QTextBlock first = document->findBlock(offset);
        while (continuesParagraph(first) && first.previous().isValid())
            first = first.previous();
        QTextBlock last = document->findBlock(offset);
        while (last.next().isValid() && continuesParagraph(last.next()))
            last = last.next();
        return {first.position(), last.position() + last.length() - 1};
    }

    // The stretch of the given kind around a position, as Qt finds it in one paragraph.
    std::pair<int, int> boundsAt(int offset, QAccessible::TextBoundaryType boundary) const
    {
        QTextDocument *document = box()->document();
        const int count = characterCount();
        switch (boundary) {
        case QAccessible::NoBoundary:
            return {0, count};
        case QAccessible::ParagraphBoundary:
            return paragraphAround(offset);
        case QAccessible::LineBoundary:
        case QAccessible::CharBoundary: {
            // A shown line ends where its piece ends; a character is one whichever block it is in.
            QTextCursor cursor(document);
            cursor.setPosition(offset);
            return QAccessible::qAccessibleTextBoundaryHelper(cursor, boundary);
        }
        case QAccessible::SentenceBoundary: {
            const auto [start, end] = paragraphAround(offset);
            const QString paragraph = boxTextBetween(box(), start, end);
            QTextBoundaryFinder finder(QTextBoundaryFinder::Sentence, paragraph);
            const int within = offset - start;
            finder.setPosition(within);
            qsizetype before = within;
            if (!(finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem))
                before = finder.toPreviousBoundary();
            const qsizetype after = finder.toNextBoundary();
            return {before < 0 ? start : start + int(before), after < 0 ? end : start + int(after)};
        }
        case QAccessible::WordBoundary:
            break;
        }
        // Words never span a blank, so the pieces on either side of the one the position is in
        // hold every word Qt's word movement looks at; they are measured as one paragraph.
        const auto [start, end] = paragraphAround(offset);
        QTextBlock block = document->findBlock(offset);
        const int from = qMax(start, continuesParagraph(block) ? block.previous().position() : block.position());
        const QTextBlock next = block.next();
        const int to = next.isValid() && continuesParagraph(next) ? qMin(end, next.position() + next.length() - 1)
                                                                  : block.position() + block.length() - 1;
        QTextDocument window;
        window.setPlainText(boxTextBetween(box(), from, to));
        QTextCursor cursor(&window);
        cursor.setPosition(offset - from);
        const auto [wordStart, wordEnd] = QAccessible::qAccessibleTextBoundaryHelper(cursor, boundary);
        return {from + wordStart, from + wordEnd};
    }

    // The stretch at the position (step 0), the one before it (-1) or after it (1), as Qt's
    // text edits find them.
    QString textAround(int offset, QAccessible::TextBoundaryType boundary, int step, int *startOffset,
                       int *endOffset) const
    {
        *startOffset = *endOffset = -1;
        const int count = characterCount();
        if (offset == -2)
            offset = cursorPosition();
        if (offset < 0 || offset > count)
            return QString();
        std::pair<int, int> bounds = boundsAt(offset, boundary);
        if (step < 0) {
            if (bounds.first <= 0)
                return QString();
            bounds = boundsAt(bounds.first - 1, boundary);
        } else if (step > 0) {
            // Nothing after the end: an empty stretch there.
            const int end = bounds.second;
            bounds = end >= count ? std::pair(count, count) : boundsAt(end, boundary);
            // A shown line ends before the blank (or the soft break) it wraps at; the next starts
            // after it.
            if (boundary == QAccessible::LineBoundary && bounds.first < end && end < count)
                bounds = boundsAt(end + 1, boundary);
        }
        *startOffset = bounds.first;
        *endOffset = bounds.second;
        return text(bounds.first, bounds.second);
    }
};

// The announcement of an analysis: a notification, which screen readers speak as it shows,
// without taking the focus. It is never on the screen itself: the captions are.
class ResultsAnnouncement : public QWidget
{
public:
    explicit ResultsAnnouncement(QWidget *window)
        : QWidget(window)
    {
        setObjectName(QStringLiteral("resultsAnnouncement"));
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
    explicit AnnouncementInterface(ResultsAnnouncement *announcement)
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
        for (const QPointer<const QLabel> &caption : static_cast<ResultsAnnouncement *>(widget())->captions) {
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
        if ((type == QEvent::Show || type == QEvent::WindowActivate || type == QEvent::WindowDeactivate) &&
            watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow() && dynamic_cast<Screen *>(watched)) {
            auto *window = static_cast<QWidget *>(watched);
            if (type == QEvent::Show)
                window->setProperty(ReturnedProperty, false);
            else if (type == QEvent::WindowDeactivate && window->isVisible())
                window->setProperty(ReturnedProperty, true);
            QAccessibleEvent changed(watched, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }
        return QObject::eventFilter(watched, event);
    }
};

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

QAccessibleInterface *programInterface(const QString &className, QObject *object)
{
    // Asked for every class of an object from the most derived one up: the program's own
    // classes come first, before Qt's factory answers for their Qt base classes.
    if (auto *list = qobject_cast<PickList *>(object))
        return new PickListInterface(list);
    auto *screen = dynamic_cast<Screen *>(object);
    if (screen && object->isWidgetType())
        return new ScreenInterface(static_cast<QWidget *>(object), screen->screenId());
    if (auto *announcement = dynamic_cast<ResultsAnnouncement *>(object))
        return new AnnouncementInterface(announcement);
    // Every single-line box, the pick lists' fields and the save dialog's file name included.
    if (className == QLatin1String("QLineEdit"))
        return new LineBoxInterface(static_cast<QLineEdit *>(object));
    // The multi-line boxes.
    if (auto *box = qobject_cast<TextBox *>(object))
        return new TextBoxInterface(box);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    QAccessible::installFactory(programInterface);
    installTextBoxAnnouncements();
    qApp->installEventFilter(new DescriptionRefresher(qApp));
}

void announceResults(const QLabel *statistics, const QLabel *advice)
{
    QWidget *window = statistics->window();
    auto *announcement = dynamic_cast<ResultsAnnouncement *>(
        window->findChild<QWidget *>(QStringLiteral("resultsAnnouncement"), Qt::FindDirectChildrenOnly));
    if (!announcement) {
        announcement = new ResultsAnnouncement(window);
        // A screen reader may have asked about it while it was being made, before it was a
        // notification: that answer is dropped, and the next question gets the right one.
        QAccessibleInterface *seen = QAccessible::queryAccessibleInterface(announcement);
        if (seen && seen->role() != QAccessible::Notification)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(seen));
    }
    announcement->captions = {statistics, advice};
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
