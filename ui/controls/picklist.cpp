#include "ui/controls/picklist.h"

#include "ui/controls/textboxes.h"

#include <QAbstractItemView>
#include <QAccessible>
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
