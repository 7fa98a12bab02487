#include "ui/controls/textboxes.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScopeGuard>
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

// Set on a block whose break before it is a soft one: it stands for a blank.
constexpr int SoftBreakProperty = QTextFormat::UserProperty + 0x5b0;

int pieceLength = 768;

} // namespace

bool continuesParagraph(const QTextBlock &block)
{
    return block.blockFormat().boolProperty(SoftBreakProperty);
}

namespace {

// The block ends in a soft break: the paragraph goes on in the next block.
bool endsSoftly(const QTextBlock &block)
{
    const QTextBlock next = block.next();
    return next.isValid() && continuesParagraph(next);
}

QTextBlockFormat breakFormat(QTextBlockFormat format, bool soft)
{
    if (soft)
        format.setProperty(SoftBreakProperty, true);
    else
        format.clearProperty(SoftBreakProperty);
    return format;
}

// The indices of the document's block formats that mark a soft break. Blocks share formats, so
// there are a few at most, and none in a text without long paragraphs.
QList<int> softBreakFormats(const QTextDocument *document)
{
    QList<int> indices;
    const QList<QTextFormat> formats = document->allFormats();
    for (qsizetype i = 0; i < formats.size(); ++i) {
        if (formats.at(i).boolProperty(SoftBreakProperty))
            indices.append(int(i));
    }
    return indices;
}

// The document's raw text with each soft break back as its blank; positions are unchanged.
QString rawBoxText(const QTextDocument *document)
{
    QString raw = document->toRawText();
    const QList<int> soft = softBreakFormats(document);
    if (soft.isEmpty())
        return raw;
    QChar *data = raw.data();
    for (QTextBlock block = document->begin().next(); block.isValid(); block = block.next()) {
        if (soft.contains(block.blockFormatIndex()))
            data[block.position() - 1] = QLatin1Char(' ');
    }
    return raw;
}

// Where a paragraph of the text is cut into pieces: at blanks followed by a non-blank (so no
// piece starts with a blank, and none is empty), each piece as long as it can be up to the piece
// length. A stretch without such a blank stays whole.
QList<qsizetype> cutPoints(QStringView paragraph)
{
    QList<qsizetype> points;
    const qsizetype size = paragraph.size();
    const auto cutsAt = [&](qsizetype i) {
        return paragraph[i] == QLatin1Char(' ') && paragraph[i + 1] != QLatin1Char(' ');
    };
    qsizetype start = 0;
    while (size - start > pieceLength) {
        qsizetype cut = -1;
        for (qsizetype i = start + pieceLength; i > start; --i) {
            if (cutsAt(i)) {
                cut = i;
                break;
            }
        }
        for (qsizetype i = start + pieceLength + 1; cut < 0 && i + 1 < size; ++i) {
            if (cutsAt(i))
                cut = i;
        }
        if (cut < 0)
            break;
        points.append(cut);
        start = cut + 1;
    }
    return points;
}

bool isParagraphEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::ParagraphSeparator;
}

// Inserts plain text at the cursor as setPlainText would ("\r\n", a lone "\r" or "\n" and U+2029
// end a paragraph), with its long paragraphs cut into pieces. The text goes into the cursor's
// paragraph, so the break before the first piece keeps what it was.
void insertBoxText(QTextCursor &cursor, QStringView text)
{
    const QTextBlockFormat hard = breakFormat(cursor.blockFormat(), false);
    const QTextBlockFormat soft = breakFormat(hard, true);
    qsizetype lineStart = 0;
    for (;;) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < text.size() && !isParagraphEnd(text[lineEnd]))
            ++lineEnd;
        const QStringView paragraph = text.sliced(lineStart, lineEnd - lineStart);
        qsizetype pieceStart = 0;
        for (const qsizetype cut : cutPoints(paragraph)) {
            cursor.insertText(paragraph.sliced(pieceStart, cut - pieceStart).toString());
            cursor.insertBlock(soft);
            pieceStart = cut + 1;
        }
        if (pieceStart < paragraph.size())
            cursor.insertText(paragraph.sliced(pieceStart).toString());
        if (lineEnd == text.size())
            break;
        cursor.insertBlock(hard);
        lineStart = lineEnd + 1;
        if (text[lineEnd] == QLatin1Char('\r') && lineStart < text.size() && text[lineStart] == QLatin1Char('\n'))
            ++lineStart;
    }
}

// No paragraph of the text is longer than a piece: Qt may take it as it is. Lines are found with
// the fast search for "\n"; only a stretch longer than a piece is looked at character by character.
bool hasLongParagraph(QStringView text)
{
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        if (end - start > pieceLength) {
            qsizetype paragraphStart = start;
            for (qsizetype i = start; i < end; ++i) {
                if (isParagraphEnd(text[i]))
                    paragraphStart = i + 1;
                else if (i - paragraphStart >= pieceLength)
                    return true;
            }
        }
        start = end + 1;
    }
    return false;
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

int longParagraphPiece()
{
    return pieceLength;
}

void setLongParagraphPiece(int characters)
{
    pieceLength = qMax(characters, 2);
}

TextBox::TextBox(QWidget *parent, int columns, int lines)
    : QPlainTextEdit(parent)
    , m_columns(columns)
    , m_lines(lines)
{
    setTabChangesFocus(true);
    // A new document (setDocument) is not watched; the program's boxes keep theirs.
    connect(document(), &QTextDocument::contentsChange, this, &TextBox::noteChange);
    for (QObject *child : children()) {
        if (child->inherits("QWidgetTextControl"))
            m_textControl = child;
    }
    takeOverChangeEvents();
}

void TextBox::takeOverChangeEvents()
{
    // Qt's text control tells screen readers of each change in the document's own characters
    // (a soft break as a line break), and of each cut as a change of the text; that is all it
    // does with this signal. The box tells them itself. Qt connects it again whenever a text is
    // set; the box, connected first, takes it off before it is called.
    if (m_textControl)
        disconnect(document(), &QTextDocument::contentsChange, m_textControl, nullptr);
}

void TextBox::announceChange(int position, int removed, int added)
{
    takeOverChangeEvents();
    if (!m_textControl || !QAccessible::isActive())
        return;
    // As Qt does: the removed text is gone, so only its length is told.
    const QString inserted = boxTextBetween(this, position, position + added);
    const QString gone(removed, QLatin1Char(' '));
    if (removed == 0) {
        QAccessibleTextInsertEvent event(this, position, inserted);
        QAccessible::updateAccessibility(&event);
    } else if (added == 0) {
        QAccessibleTextRemoveEvent event(this, position, gone);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(this, position, gone, inserted);
        QAccessible::updateAccessibility(&event);
    }
}

void TextBox::noteChange(int position, int removed, int added)
{
    // A cut changes no character of the text.
    if (m_cutting)
        return;
    announceChange(position, removed, added);
    // An edit from elsewhere (the program's, a screen reader's) ends a run of typing.
    if (!m_keyEditing)
        m_runKind = EditRun::None;
    const bool nothingChanged = m_changedFrom > m_changedTo;
    m_changedFrom = nothingChanged ? position : qMin(m_changedFrom, position);
    m_changedTo = nothingChanged ? position + added : qMax(m_changedTo, position + added);
    // Edits the box does not see come in (the program's own, a screen reader's) are cut on the
    // next turn of the event loop; the box's own right after them.
    if (!m_cutPending) {
        m_cutPending = true;
        QMetaObject::invokeMethod(this, &TextBox::cutLongParagraphs, Qt::QueuedConnection);
    }
}

void TextBox::forgetChanges()
{
    m_changedFrom = 1;
    m_changedTo = 0;
}

void TextBox::cutLongParagraphs()
{
    m_cutPending = false;
    if (m_changedFrom > m_changedTo)
        return;
    QTextDocument *document = this->document();
    const int from = m_changedFrom;
    const int to = qMin(m_changedTo, document->characterCount() - 1);
    m_changedFrom = 1;
    m_changedTo = 0;
    // An undo has brought back an earlier text, cut as it was then; cutting it anew would be an
    // edit, and would throw away the steps to redo.
    if (document->availableRedoSteps() > 0)
        return;

    QList<QPair<int, QList<qsizetype>>> cuts;
    const QTextBlock last = document->findBlock(qMax(to, from));
    for (QTextBlock block = document->findBlock(from); block.isValid(); block = block.next()) {
        if (block.length() - 1 > pieceLength) {
            QList<qsizetype> points = cutPoints(block.text());
            if (!points.isEmpty())
                cuts.append({block.position(), std::move(points)});
        }
        if (block == last)
            break;
    }
    if (cuts.isEmpty())
        return;

    // Each cut is one character for one: the caret's positions stay valid, but a caret right at
    // a cut blank would be carried past it.
    const QTextCursor caret = textCursor();
    const int anchor = caret.anchor();
    const int position = caret.position();

    m_cutting = true;
    QTextCursor cursor(document);
    // Part of the edit that made the paragraph long, for undo; a text set by the program has no
    // steps to undo, and gets none.
    const bool undoable = document->isUndoRedoEnabled() && document->availableUndoSteps() > 0;
    const bool undoWasEnabled = document->isUndoRedoEnabled();
    if (undoable)
        cursor.joinPreviousEditBlock();
    else {
        document->setUndoRedoEnabled(false);
        cursor.beginEditBlock();
    }
    for (auto block = cuts.crbegin(); block != cuts.crend(); ++block) {
        const QTextBlockFormat soft = breakFormat(document->findBlock(block->first).blockFormat(), true);
        for (auto point = block->second.crbegin(); point != block->second.crend(); ++point) {
            cursor.setPosition(block->first + int(*point));
            cursor.setPosition(block->first + int(*point) + 1, QTextCursor::KeepAnchor);
            cursor.insertBlock(soft);
        }
    }
    if (undoable) {
        // Redo leaves the caret after the last step it redid, which would be the last cut; an
        // empty step at the caret (a character in and out again) keeps it where the user's own
        // edit left it, as in one paragraph.
        cursor.setPosition(position);
        cursor.insertText(QStringLiteral(" "));
        cursor.deletePreviousChar();
    }
    cursor.endEditBlock();
    if (!undoable)
        document->setUndoRedoEnabled(undoWasEnabled);
    // A run of typing that the cut came in goes on with the next key.
    if (undoable && anchor == position && m_runPosition == position)
        m_runUndoSteps = document->availableUndoSteps();
    else
        m_runKind = EditRun::None;
    m_cutting = false;

    if (textCursor().anchor() != anchor || textCursor().position() != position) {
        QTextCursor restored(document);
        restored.setPosition(anchor);
        restored.setPosition(position, QTextCursor::KeepAnchor);
        setTextCursor(restored);
    }
}

void TextBox::setPreferredSize(int columns, int lines)
{
    m_columns = columns;
    m_lines = lines;
    updateGeometry();
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    // Qt makes a run of typing (or of deleting) one step to undo: each key's change merges with
    // the one before. A cut in the middle of the run would end that step; so each key of a run
    // is an edit block joined to the one before, and a cut joins it too.
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    EditRun kind = EditRun::None;
    if (!event->text().isEmpty() && event->text().at(0).isPrint() && plain)
        kind = EditRun::Typing;
    else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier))
        kind = EditRun::Backspace;
    else if (event->matches(QKeySequence::Delete))
        kind = EditRun::Delete;
    QTextCursor run = textCursor();
    const bool editing = kind != EditRun::None && !isReadOnly() && !run.hasSelection();
    const bool joinRun = editing && kind == m_runKind && run.position() == m_runPosition &&
                         document()->availableUndoSteps() == m_runUndoSteps && document()->availableRedoSteps() == 0;
    m_runKind = EditRun::None;
    m_runPosition = -1;
    if (joinRun)
        run.joinPreviousEditBlock();
    else if (editing)
        run.beginEditBlock();
    m_keyEditing = true;

    if (!isReadOnly() && event->matches(QKeySequence::InsertParagraphSeparator) &&
        continuesParagraph(textCursor().block())) {
        // Qt gives the new paragraph the format of the one it was in: it would be another piece.
        QTextCursor cursor = textCursor();
        cursor.insertBlock(breakFormat(cursor.blockFormat(), false), cursor.charFormat());
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
    } else if (!moveOverSoftBreak(event)) {
        QPlainTextEdit::keyPressEvent(event);
    }
    m_keyEditing = false;
    if (editing) {
        // The box is laid out anew as the block ends: only then does the caret know its line.
        run.endEditBlock();
        ensureCursorVisible();
        const QTextCursor caret = textCursor();
        if (!caret.hasSelection()) {
            m_runKind = kind;
            m_runPosition = caret.position();
            m_runUndoSteps = document()->availableUndoSteps();
        }
    }
    cutLongParagraphs();
}

bool TextBox::moveOverSoftBreak(QKeyEvent *event)
{
    // Qt's word movement stops at the end of every block; a soft break is a blank within the
    // paragraph, where one move (or one word deletion) goes on to the next word.
    bool forward = true;
    bool remove = false;
    QTextCursor::MoveMode mode = QTextCursor::KeepAnchor;
    if (event->matches(QKeySequence::MoveToNextWord))
        mode = QTextCursor::MoveAnchor;
    else if (event->matches(QKeySequence::MoveToPreviousWord))
        forward = false, mode = QTextCursor::MoveAnchor;
    else if (event->matches(QKeySequence::SelectPreviousWord))
        forward = false;
    else if (event->matches(QKeySequence::DeleteEndOfWord))
        remove = true;
    else if (event->matches(QKeySequence::DeleteStartOfWord))
        forward = false, remove = true;
    else if (!event->matches(QKeySequence::SelectNextWord))
        return false;
    if (remove && (isReadOnly() || textCursor().hasSelection()))
        return false;
    // A read-only box without a keyboard caret scrolls on these keys.
    if (isReadOnly() && !(textInteractionFlags() & Qt::TextSelectableByKeyboard))
        return false;

    QTextCursor cursor = textCursor();
    const int from = cursor.position();
    cursor.movePosition(forward ? QTextCursor::NextWord : QTextCursor::PreviousWord, mode);
    if (cursor.position() == from || !cursor.atBlockEnd() || !endsSoftly(cursor.block()))
        return false;
    if (forward) {
        cursor.movePosition(QTextCursor::NextCharacter, mode);
        while (!cursor.atBlockEnd() && document()->characterAt(cursor.position()) == QLatin1Char(' '))
            cursor.movePosition(QTextCursor::NextCharacter, mode);
    } else {
        cursor.movePosition(QTextCursor::PreviousWord, mode);
    }
    if (remove)
        cursor.removeSelectedText();
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
    return true;
}

void TextBox::inputMethodEvent(QInputMethodEvent *event)
{
    QPlainTextEdit::inputMethodEvent(event);
    cutLongParagraphs();
}

QMimeData *TextBox::createMimeDataFromSelection() const
{
    // Qt's copy would turn each soft break into a line break.
    const QTextCursor cursor = textCursor();
    auto *data = new QMimeData;
    data->setText(boxTextBetween(this, cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

void TextBox::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // Cut as it goes in: a long paragraph pasted whole would be laid out whole once.
    m_runKind = EditRun::None;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    insertBoxText(cursor, source->text());
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
    cutLongParagraphs();
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
    return crLfText(rawBoxText(box->document()));
}

void setBoxText(QPlainTextEdit *box, const QString &text)
{
    // The text goes in cut already: the box need not look at it again.
    const auto forgetChanges = qScopeGuard([box] {
        if (auto *textBox = qobject_cast<TextBox *>(box))
            textBox->forgetChanges();
    });
    if (!hasLongParagraph(text)) {
        box->setPlainText(text);
        return;
    }
    // As setPlainText: nothing to undo, not modified, the caret at the start.
    box->setPlainText(QString());
    QTextDocument *document = box->document();
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    insertBoxText(cursor, text);
    cursor.endEditBlock();
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
    box->setTextCursor(QTextCursor(document));
}

QString boxTextBetween(const QPlainTextEdit *box, int start, int end)
{
    const QTextDocument *document = box->document();
    start = qBound(0, start, document->characterCount() - 1);
    end = qBound(start, end, document->characterCount() - 1);
    QTextCursor cursor(const_cast<QTextDocument *>(document));
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    QString text = cursor.selectedText();
    QChar *data = text.data();
    const QList<int> soft = softBreakFormats(document);
    for (QTextBlock block = document->findBlock(start).next(); block.isValid() && block.position() <= end;
         block = block.next()) {
        const bool isSoft = soft.contains(block.blockFormatIndex());
        data[block.position() - 1 - start] = isSoft ? QLatin1Char(' ') : QLatin1Char('\n');
    }
    std::replace(data, data + text.size(), QChar(QChar::LineSeparator), QChar(QLatin1Char('\n')));
    return text;
}

AnalysedBox analysedBox(const QPlainTextEdit *box)
{
    // Cursor positions count the raw text's characters; each break before the selection, or in
    // it, is one character more in the "\r\n" text. Line breaks within a paragraph count too.
    QString raw = rawBoxText(box->document());
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
