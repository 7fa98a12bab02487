#pragma once

#include <QComboBox>

class QAccessibleInterface;

// A drop-down list with an edit field in which only a pick from the list chooses an entry: a
// click or the keyboard in the open list, or the arrow keys on the closed one. Each pick emits
// activated(). Text typed into the field never chooses an entry, not even when it reads exactly
// like one, in any letter case, and whether the field is left or Return is pressed: it stays as
// typed, and no entry is chosen (currentIndex() is -1).
//
// findText() and findData() with their default flags therefore find nothing in this list.
class PickList : public QComboBox
{
    Q_OBJECT

public:
    explicit PickList(const QStringList &entries, QWidget *parent = nullptr);

    void showPopup() override;

private:
    void dropPickWhenTypedOver();
};

// The list as screen readers see it: a combo box named by its caption (its label's text), with
// the text in its field as its value.
QAccessibleInterface *makePickListInterface(PickList *list);
