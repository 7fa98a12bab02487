#include "ui/controls/messagebox.h"

#include <QMessageBox>

void showWarning(QWidget *owner, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, owner);
    box.exec();
    // Not every window system hands the keyboard back to the window below a closed dialog.
    if (owner && owner->isVisible())
        owner->window()->activateWindow();
}
