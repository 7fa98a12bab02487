#include "ui/messagebox.h"

#include <QMessageBox>

void showWarning(QWidget *owner, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, owner);
    box.exec();
}
