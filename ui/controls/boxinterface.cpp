#include "ui/controls/boxinterface.h"

#include "ui/controls/picklist.h"

#include <QLineEdit>

BoxInterface::BoxInterface(QWidget *box)
    : QAccessibleWidget(box, QAccessible::EditableText)
{
}

void *BoxInterface::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString BoxInterface::attributes(int offset, int *startOffset, int *endOffset) const
{
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

QAccessible::State BoxInterface::boxState(bool readOnly) const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !readOnly;
    state.readOnly = readOnly;
    state.selectableText = true;
    return state;
}

namespace {

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

} // namespace

QAccessibleInterface *makeLineBoxInterface(QLineEdit *box)
{
    return new LineBoxInterface(box);
}
