#include "ui/controls/picklist.h"

#include "ui/controls/singleline.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QStandardItemModel>

namespace {

// The entries of the list. QComboBox chooses the entry that an edit text names by looking the
// whole text up in its model, on Return and when the field is left; these entries answer no
// whole-text look-up, so typing never becomes a choice. Searches by the start of a text, as the
// open list's type-ahead makes them, still find entries.
class EntryModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;

    QModelIndexList match(const QModelIndex &start, int role, const QVariant &value, int hits,
                          Qt::MatchFlags flags) const override
    {
        const int kind = (flags & Qt::MatchTypeMask).toInt();
        if (kind == Qt::MatchExactly || kind == Qt::MatchFixedString)
            return {};
        return QStandardItemModel::match(start, role, value, hits, flags);
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

} // namespace

PickList::PickList(const QStringList &entries, QWidget *parent)
    : QComboBox(parent)
{
    setModel(new EntryModel(this));
    setEditable(true);
    // Typed text is neither added to the list nor completed to an entry, which would look chosen.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    makeSingleLine(lineEdit());
    addItems(entries);
    setCurrentIndex(-1);
    connect(lineEdit(), &QLineEdit::textEdited, this, &PickList::dropPickWhenTypedOver);
}

void PickList::showPopup()
{
    // Screen readers name the open list of entries by the list's caption, as the list itself.
    if (QAccessibleInterface *self = QAccessible::queryAccessibleInterface(this))
        view()->setAccessibleName(self->text(QAccessible::Name));
    QComboBox::showPopup();
}

void PickList::dropPickWhenTypedOver()
{
    if (currentIndex() < 0)
        return;
    // The field keeps the text and the cursor. Its undo history starts afresh here: undoing can
    // not bring back an entry's text that would look chosen without being so.
    QLineEdit *field = lineEdit();
    const QString typed = field->text();
    const int cursor = field->cursorPosition();
    setCurrentIndex(-1);
    field->setText(typed);
    field->setCursorPosition(cursor);
}

QAccessibleInterface *makePickListInterface(PickList *list)
{
    return new PickListInterface(list);
}
