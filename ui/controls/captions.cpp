#include "ui/controls/captions.h"

#include <QLabel>

QString captionText(const QString &caption)
{
    // Each "\r\n" becomes "\n", in one pass.
    QString text(caption.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const bool crBeforeLf =
            caption.at(i) == QLatin1Char('\r') && i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('\n');
        if (!crBeforeLf)
            *out++ = caption.at(i);
    }
    text.truncate(out - text.constData());
    return text;
}

void setCaption(QLabel *label, const QString &caption)
{
    label->setText(captionText(caption));
}
