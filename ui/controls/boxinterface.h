#pragma once

#include <QAccessibleWidget>

class QLineEdit;

// What both kinds of text box are to screen readers: editable text with a caret and one
// selection. The text has one font and one colour throughout, so one run of attributes covers it
// all: Qt's own interfaces report an empty run at every position, and screen readers that read a
// value run by run then drop its last character ("http:/" for "http://").
class BoxInterface : public QAccessibleWidget, public QAccessibleTextInterface, public QAccessibleEditableTextInterface
{
public:
    explicit BoxInterface(QWidget *box);

    void *interface_cast(QAccessible::InterfaceType type) override;

    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }

protected:
    QAccessible::State boxState(bool readOnly) const;
};

// A single-line box as screen readers see it, its text whole: every single-line box, the pick
// lists' fields and the save dialog's file name included. A pick list's field is named by the
// list's caption.
QAccessibleInterface *makeLineBoxInterface(QLineEdit *box);
