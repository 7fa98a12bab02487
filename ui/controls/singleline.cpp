#include "ui/controls/singleline.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// A line box applies the text its validator hands back, however the text came in: typed,
// pasted, dropped or set by the program.
class SingleLineValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &text, int &position) const override
    {
        if (std::any_of(text.cbegin(), text.cend(), isLineBreak))
            text = singleLineText(text, &position);
        return Acceptable;
    }
};

} // namespace

QString singleLineText(const QString &text, int *position)
{
    QString line(text.size(), Qt::Uninitialized);
    QChar *out = line.data();
    const qsizetype cursor = position ? *position : 0;
    qsizetype movedCursor = cursor;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!isLineBreak(c)) {
            *out++ = c;
            continue;
        }
        *out++ = u' ';
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            // One blank for the pair: what came after it moves one place to the front.
            ++i;
            if (cursor > i)
                --movedCursor;
        }
    }
    line.truncate(out - line.constData());
    if (position)
        *position = int(movedCursor);
    return line;
}

void makeSingleLine(QLineEdit *box)
{
    // Qt's default limit of 32,767 characters would cut a long pasted text or pre-fill.
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setValidator(new SingleLineValidator(box));
    box->setText(singleLineText(box->text()));
}
