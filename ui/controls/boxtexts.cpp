#include "ui/controls/boxtexts.h"

#include "ui/controls/textbox/textbox.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// How a text edit's raw text ends a paragraph (Return) or a line within one (Shift+Return).
bool isBoxBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// The raw text with each break written as "\r\n". One pass from the back, in place: the text only
// grows by one character per break, so nothing before the first break is moved or copied.
QString crLfText(QString text)
{
    const qsizetype breaks = std::count_if(text.cbegin(), text.cend(), isBoxBreak);
    if (breaks == 0)
        return text;
    qsizetype from = text.size();
    text.resize(from + breaks);
    QChar *data = text.data();
    for (qsizetype to = text.size(); to > from;) {
        const QChar c = data[--from];
        if (isBoxBreak(c)) {
            data[--to] = u'\n';
            data[--to] = u'\r';
        } else {
            data[--to] = c;
        }
    }
    return text;
}

// Number of characters before `crlfPosition` once every "\r\n" counts as one paragraph break.
qsizetype widgetPosition(const QString &text, qsizetype crlfPosition)
{
    qsizetype breaks = 0;
    const qsizetype end = qMin(crlfPosition, text.size());
    const QChar *data = text.constData();
    for (qsizetype i = 1; i < end; ++i) {
        if (data[i] == u'\n' && data[i - 1] == u'\r')
            ++breaks;
    }
    return crlfPosition - breaks;
}

// The box's raw text (or a part of it), as written: a soft break is a blank.
QString rawText(const QPlainTextEdit *box, int start, int end)
{
    if (auto *textBox = qobject_cast<const TextBox *>(box))
        return textBox->writtenText().mid(start, end - start);
    return box->document()->toRawText().mid(start, end - start);
}

int textLength(const QPlainTextEdit *box)
{
    return box->document()->characterCount() - 1;
}

} // namespace

QString boxText(const QPlainTextEdit *box)
{
    return crLfText(rawText(box, 0, textLength(box)));
}

void setBoxText(QPlainTextEdit *box, const QString &text)
{
    if (auto *textBox = qobject_cast<TextBox *>(box))
        textBox->setWrittenText(text);
    else
        box->setPlainText(text);
}

QString boxTextBetween(const QPlainTextEdit *box, int start, int end)
{
    start = qBound(0, start, textLength(box));
    end = qBound(start, end, textLength(box));
    QString text = rawText(box, start, end);
    std::replace_if(text.begin(), text.end(), isBoxBreak, QChar(u'\n'));
    return text;
}

AnalysedBox analysedBox(const QPlainTextEdit *box)
{
    // Cursor positions count the raw text's characters; each break before the selection, or in
    // it, is one character more in the "\r\n" text. Line breaks within a paragraph count too.
    QString raw = rawText(box, 0, textLength(box));
    const QTextCursor cursor = box->textCursor();
    const qsizetype start = qMin(qsizetype(cursor.selectionStart()), raw.size());
    const qsizetype end = qMin(qsizetype(cursor.selectionEnd()), raw.size());
    const QChar *data = raw.constData();
    const qsizetype breaksBefore = std::count_if(data, data + start, isBoxBreak);
    const qsizetype breaksWithin = std::count_if(data + start, data + end, isBoxBreak);
    return AnalysedBox{crLfText(std::move(raw)), start + breaksBefore, end - start + breaksWithin};
}

void applySelection(QPlainTextEdit *box, const AnalysedBox &analysed)
{
    const qsizetype start = widgetPosition(analysed.text, analysed.selStart);
    const qsizetype end = widgetPosition(analysed.text, analysed.selStart + analysed.selLength);
    QTextCursor cursor(box->document());
    cursor.setPosition(int(start));
    cursor.setPosition(int(end), QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
}
