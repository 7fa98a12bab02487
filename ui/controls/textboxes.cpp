#include "ui/controls/textboxes.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>
#include <QtMath>

#include <algorithm>
#include <limits>

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
            data[--to] = QLatin1Char('\n');
            data[--to] = QLatin1Char('\r');
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
        if (data[i] == QLatin1Char('\n') && data[i - 1] == QLatin1Char('\r'))
            ++breaks;
    }
    return crlfPosition - breaks;
}

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || isBoxBreak(c);
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

TextBox::TextBox(QWidget *parent, int columns, int lines)
    : QPlainTextEdit(parent)
    , m_columns(columns)
    , m_lines(lines)
{
    setTabChangesFocus(true);
}

void TextBox::setPreferredSize(int columns, int lines)
{
    m_columns = columns;
    m_lines = lines;
    updateGeometry();
}

QSize TextBox::sizeFor(int columns, int lines) const
{
    const QFontMetrics metrics(font());
    const int chrome = 2 * (frameWidth() + qCeil(document()->documentMargin()));
    return {metrics.averageCharWidth() * columns + chrome + verticalScrollBar()->sizeHint().width(),
            metrics.lineSpacing() * lines + chrome};
}

QSize TextBox::sizeHint() const
{
    return sizeFor(m_columns, m_lines).expandedTo(minimumSize());
}

QSize TextBox::minimumSizeHint() const
{
    // Three lines still show where the text goes on.
    return sizeFor(qMin(m_columns, 12), 3);
}

QString boxText(const QPlainTextEdit *box)
{
    // Raw text keeps non-breaking spaces as they are.
    return crLfText(box->document()->toRawText());
}

void setBoxText(QPlainTextEdit *box, const QString &text)
{
    box->setPlainText(text);
}

AnalysedBox analysedBox(const QPlainTextEdit *box)
{
    // Cursor positions count the raw text's characters; each break before the selection, or in
    // it, is one character more in the "\r\n" text. Line breaks within a paragraph count too.
    QString raw = box->document()->toRawText();
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
        *out++ = QLatin1Char(' ');
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
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
