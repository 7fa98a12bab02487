#include "ui/controls/textbox/textboxinterface.h"

#include "ui/controls/boxinterface.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/textbox.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <utility>

namespace {

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

    // The stretch of the given kind around a position, as Qt finds it in one paragraph.
    std::pair<int, int> boundsAt(int offset, QAccessible::TextBoundaryType boundary) const
    {
        QTextDocument *document = box()->document();
        const int count = characterCount();
        switch (boundary) {
        case QAccessible::NoBoundary:
            return {0, count};
        case QAccessible::ParagraphBoundary:
            return paragraphAround(box()->document(), offset);
        case QAccessible::LineBoundary:
        case QAccessible::CharBoundary: {
            // A shown line ends where its piece ends; a character is one whichever block it is in.
            QTextCursor cursor(document);
            cursor.setPosition(offset);
            return QAccessible::qAccessibleTextBoundaryHelper(cursor, boundary);
        }
        case QAccessible::SentenceBoundary: {
            const auto [start, end] = paragraphAround(box()->document(), offset);
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
        const auto [start, end] = paragraphAround(box()->document(), offset);
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

} // namespace

QAccessibleInterface *makeTextBoxInterface(TextBox *box)
{
    return new TextBoxInterface(box);
}
