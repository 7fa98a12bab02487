#include "ui/textboxes.h"

#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QtMath>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const QLatin1String CrLf("\r\n");

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
    // Raw text keeps non-breaking spaces as they are; paragraphs end in U+2029.
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, CrLf);
    text.replace(QChar::LineSeparator, CrLf);
    return text;
}

void setBoxText(QPlainTextEdit *box, const QString &text)
{
    box->setPlainText(text);
}

AnalysedBox analysedBox(const QPlainTextEdit *box)
{
    const QString text = boxText(box);
    const QTextCursor cursor = box->textCursor();
    // Paragraph breaks before the selection each grow by one character in the "\r\n" text.
    const QTextDocument *document = box->document();
    auto crlfPosition = [document](int position) {
        return qsizetype(position) + document->findBlock(position).blockNumber();
    };
    const qsizetype start = crlfPosition(cursor.selectionStart());
    const qsizetype end = crlfPosition(cursor.selectionEnd());
    return AnalysedBox{text, start, end - start};
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
    QString text = caption;
    text.replace(CrLf, QLatin1String("\n"));
    return text;
}

void setCaption(QLabel *label, const QString &caption)
{
    label->setText(captionText(caption));
}
