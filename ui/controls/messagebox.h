#pragma once

class QString;
class QWidget;

// A modal warning owned by `owner`: exclamation icon, one OK button. Returns when it is dismissed.
void showWarning(QWidget *owner, const QString &title, const QString &text);
