#include "ui/controls/textbox/textbox.h"

#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/announcements.h"
#include "ui/controls/textbox/longparagraphs.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextDocumentWriter>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The longest paste placed up to its end before the view follows the caret: some pages, placed
// in a few milliseconds.
constexpr qsizetype exactPasteLength = 64 * 1024;

// How far around the caret an input method is given the text.
constexpr int InputMethodReach = 1024;

// A copy of text, made as a plain text edit makes it (QTextEditMimeData in Qt 6.4's
// qwidgettextcontrol.cpp): plain text, HTML and OpenDocument, the last two only when asked for.
class WrittenMimeData : public QMimeData
{
public:
    // `text` as the box holds it (a paragraph break U+2029), in a document like `like`.
    WrittenMimeData(const QString &text, const QTextDocument *like)
    {
        QTextDocument document;
        document.setDefaultFont(like->defaultFont());
        document.setDefaultTextOption(like->defaultTextOption());
        QTextCursor cursor(&document);
        cursor.insertText(text);
        cursor.select(QTextCursor::Document);
        m_fragment = QTextDocumentFragment(cursor);
    }

    QStringList formats() const override
    {
        if (m_fragment.isEmpty())
            return QMimeData::formats();
        return {u"text/plain"_s, u"text/html"_s, u"application/vnd.oasis.opendocument.text"_s};
    }

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override
    {
        if (!m_fragment.isEmpty())
            setUp();
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    void setUp() const
    {
        auto *self = const_cast<WrittenMimeData *>(this);
        self->setData(u"text/html"_s, m_fragment.toHtml().toUtf8());
        QBuffer buffer;
        QTextDocumentWriter writer(&buffer, "ODF");
        writer.write(m_fragment);
        buffer.close();
        self->setData(u"application/vnd.oasis.opendocument.text"_s, buffer.data());
        self->setText(m_fragment.toPlainText());
        m_fragment = QTextDocumentFragment();
    }

    mutable QTextDocumentFragment m_fragment;
};

// What QTextCursor::insertText() makes a paragraph break of ("\r\n" is one).
bool isParagraphEnd(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar(0xfdd0) || c == QChar(0xfdd1);
}

// Some paragraph of the text is longer than Qt is left to hold whole. Lines are found with the fast
// search for "\n"; only a stretch longer than that is looked at character by character.
bool hasLongParagraph(QStringView text)
{
    const qsizetype threshold = longParagraphThreshold();
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        if (end - start > threshold) {
            qsizetype paragraphStart = start;
            for (qsizetype i = start; i < end; ++i) {
                if (isParagraphEnd(text[i]))
                    paragraphStart = i + 1;
                else if (i - paragraphStart >= threshold)
                    return true;
            }
        }
        start = end + 1;
    }
    return false;
}

int textLength(const QPlainTextEdit *box)
{
    return box->document()->characterCount() - 1;
}

} // namespace

class TextBox::Pieces final : public LongParagraphs::Box
{
public:
    explicit Pieces(TextBox &box)
        : m_box(box)
    {
    }

    QPlainTextEdit &edit() const override { return m_box; }
    const BoxText &writtenText() const override { return m_box.m_text; }
    QTextBlock firstVisibleBlock() const override { return m_box.firstVisibleBlock(); }
    QPointF contentOffset() const override { return m_box.contentOffset(); }
    quint64 changeCount() const override { return m_box.m_changes; }
    bool isComposing() const override { return m_box.m_composing; }
    bool keepsOwnHistory() const override { return m_box.m_ownHistory; }
    void takeOverHistory() override { m_box.takeOverHistory(); }

private:
    TextBox &m_box;
};

TextBox::TextBox(QWidget *parent, int columns, int lines)
    : QPlainTextEdit(parent)
    , m_columns(columns)
    , m_lines(lines)
    , m_pieces(std::make_unique<Pieces>(*this))
    , m_paragraphs(std::make_unique<LongParagraphs>(*m_pieces))
{
    setTabChangesFocus(true);
    m_history.reset(0);
    connect(document(), &QTextDocument::contentsChange, this, &TextBox::noteChange);
    connect(this, &QPlainTextEdit::textChanged, this, &TextBox::finishClear);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        keepQtHistory();
        m_paragraphs->caretMoved();
    });
    // Qt scrolls the box itself without a word from its scroll bar (keeping the caret in view,
    // Page Up and Down); it always asks for the box to be drawn again then.
    connect(this, &QPlainTextEdit::updateRequest, this, [this] {
        if (m_clearing)
            return;
        const int topLine = verticalScrollBar()->value();
        if (topLine != m_topLine)
            m_paragraphs->scrolled(std::exchange(m_topLine, topLine), topLine);
    });
}

TextBox::~TextBox()
{
    disconnect(document(), nullptr, this, nullptr);
}

void TextBox::finishClear()
{
    if (!m_afterClear)
        return;
    // A text set by the program (setPlainText(), clear()) has nothing to undo, as in Qt; Qt keeps
    // the history again, unless the text is set cut already.
    m_afterClear = false;
    m_history.reset(m_text.size());
    if (m_ownHistory)
        announceHistory();
    useOwnHistory(m_settingLong);
}

void TextBox::useOwnHistory(bool own)
{
    const bool wasOwn = std::exchange(m_ownHistory, own);
    // Qt's history would also hold every cut. Turned off, it is emptied; turned on, it is empty.
    if (own && document()->isUndoRedoEnabled())
        document()->setUndoRedoEnabled(false);
    if (!own) {
        // Qt's setPlainText() puts back the state it found once it has said the text changed
        // (QWidgetTextControlPrivate::setContent, Qt 6.4): Qt's history is turned on again after
        // it, before the next edit the box sees or the next turn of the event loop.
        keepQtHistory();
        QMetaObject::invokeMethod(this, &TextBox::keepQtHistory, Qt::QueuedConnection);
    }
    if (wasOwn && !own)
        m_paragraphs->historyLeftToQt();
}

void TextBox::keepQtHistory()
{
    if (!m_ownHistory && !document()->isUndoRedoEnabled())
        document()->setUndoRedoEnabled(true);
}

bool TextBox::isUndoAvailable() const
{
    return m_ownHistory ? m_history.canUndo() : document()->isUndoAvailable();
}

bool TextBox::isRedoAvailable() const
{
    return m_ownHistory ? m_history.canRedo() : document()->isRedoAvailable();
}

void TextBox::takeOverHistory()
{
    if (m_ownHistory)
        return;
    // Qt's steps are read by undoing them all, then redoing them all, watching what each does;
    // the steps that were undone are then undone again. Nobody is told: the text, the caret, the
    // view and the modified state end up as they were.
    QTextDocument *document = this->document();
    QList<BoxHistory::Adopted> steps;
    qsizetype done = 0;
    qsizetype initialLength = m_text.size();
    const bool hadUndo = document->isUndoAvailable();
    const bool hadRedo = document->isRedoAvailable();
    if (hadUndo || hadRedo) {
        const QTextCursor caret = textCursor();
        const int anchor = caret.anchor();
        const int position = caret.position();
        const int top = verticalScrollBar()->value();
        const int left = horizontalScrollBar()->value();
        const bool modified = document->isModified();
        const QSignalBlocker quiet(this);
        const QuietTextBox unheard(this);
        QList<BoxHistory::Edit> captured;
        m_captured = &captured;
        QTextCursor cursor(document);
        QList<int> undoCarets; // of the steps done, last first
        while (document->isUndoAvailable()) {
            document->undo(&cursor);
            undoCarets.append(cursor.position());
        }
        done = undoCarets.size();
        initialLength = m_text.size();
        while (document->isRedoAvailable()) {
            captured.clear();
            document->redo(&cursor);
            steps.append({captured, 0, cursor.position()});
        }
        for (qsizetype i = 0; i < done && i < steps.size(); ++i)
            steps[i].undoCaret = undoCarets.at(done - 1 - i);
        for (qsizetype i = steps.size() - 1; i >= done; --i) {
            document->undo(&cursor);
            steps[i].undoCaret = cursor.position();
        }
        m_captured = nullptr;
        // A step that changed no character (a format, the caret alone) is nothing to undo here.
        for (qsizetype i = steps.size() - 1; i >= 0; --i) {
            if (steps.at(i).edits.isEmpty()) {
                steps.removeAt(i);
                if (i < done)
                    --done;
            }
        }
        QTextCursor restored(document);
        restored.setPosition(anchor);
        restored.setPosition(position, QTextCursor::KeepAnchor);
        setTextCursor(restored);
        document->setModified(modified);
        verticalScrollBar()->setValue(top);
        horizontalScrollBar()->setValue(left);
    }
    useOwnHistory(true);
    m_history.adopt(std::move(steps), done, initialLength);
    // What Qt said last is what is said now.
    m_undoAvailable = hadUndo;
    m_redoAvailable = hadRedo;
    announceHistory();
    m_paragraphs->historyTakenOver();
}

bool TextBox::makesLongParagraph(const QTextCursor &cursor, QStringView text) const
{
    // Lines that do not wrap give no place to cut at: Qt holds every paragraph whole then.
    if (lineWrapMode() == NoWrap)
        return false;
    // What stays of the paragraphs around the place goes with the first and the last line put in.
    const qsizetype threshold = longParagraphThreshold();
    const qsizetype before =
        cursor.selectionStart() - paragraphAround(document(), cursor.selectionStart(), threshold + 1).first;
    const qsizetype after =
        paragraphAround(document(), cursor.selectionEnd(), threshold + 1).second - cursor.selectionEnd();
    qsizetype lineStart = 0;
    for (;;) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < text.size() && !isParagraphEnd(text[lineEnd]))
            ++lineEnd;
        const qsizetype length =
            lineEnd - lineStart + (lineStart == 0 ? before : 0) + (lineEnd == text.size() ? after : 0);
        if (length > threshold)
            return true;
        if (lineEnd == text.size())
            return false;
        lineStart = lineEnd + 1;
        if (text[lineEnd] == u'\r' && lineStart < text.size() && text[lineStart] == u'\n')
            ++lineStart;
    }
}

void TextBox::announceHistory()
{
    if (m_history.canUndo() != m_undoAvailable) {
        m_undoAvailable = m_history.canUndo();
        emit undoAvailable(m_undoAvailable);
    }
    if (m_history.canRedo() != m_redoAvailable) {
        m_redoAvailable = m_history.canRedo();
        emit redoAvailable(m_redoAvailable);
    }
}

void TextBox::resyncText()
{
    // Only if the box lost count of a change: the document's text is the truth then.
    QString raw = document()->toRawText();
    for (QTextBlock block = document()->begin().next(); block.isValid(); block = block.next()) {
        if (continuesParagraph(block))
            raw[block.position() - 1] = u' ';
    }
    m_text.assign(raw);
    m_history.reset(m_text.size());
    announceHistory();
}

void TextBox::noteChange(int position, int removed, int added)
{
    QTextDocument *document = this->document();
    // The box's history is the only one (someone may have turned Qt's on again).
    if (m_ownHistory && document->isUndoRedoEnabled())
        document->setUndoRedoEnabled(false);
    // QTextDocument::clear() first puts in the empty document's paragraph end, and reports it,
    // while it keeps its list of cursors aside: a cursor made or dropped before it reports the
    // whole change would be lost from the list, or left in it dangling.
    if (position == 0 && removed == 0 && added == 1 && document->characterCount() == 1) {
        m_clearing = true;
        return;
    }
    m_clearing = false;
    if (position < 0 || position > m_text.size()) {
        resyncText();
        return;
    }
    // Qt's clear() counts the document's closing paragraph end among what it removed; so does a
    // change Qt reports for a whole last block (an input method's text shown in it).
    const bool clearing = position == 0 && added == 0 && removed == m_text.size() + 1;
    removed = int(qMin<qsizetype>(removed, m_text.size() - position));

    // The break before the block the change starts in is older than the change: its mark is
    // what the written text says, whatever Qt's split or join left on the block.
    const QTextBlock first = document->findBlock(position);
    markBreakBefore(first, first.position() > 0 && m_text.at(first.position() - 1) == u' ');
    QString inserted;
    if (added > 0) {
        QTextCursor range(document);
        range.setPosition(position);
        range.setPosition(qMin(position + added, document->characterCount() - 1), QTextCursor::KeepAnchor);
        inserted = range.selectedText();
        for (QTextBlock block = first.next(); block.isValid() && block.position() <= position + added;
             block = block.next()) {
            const qsizetype at = block.position() - 1 - position;
            if (continuesParagraph(block) && at < inserted.size())
                inserted[at] = u' ';
        }
    }
    QString removedText = m_text.mid(position, removed);
    m_text.replace(position, removed, inserted);
    if (m_text.size() != document->characterCount() - 1) {
        resyncText();
        return;
    }
    if (m_captured) {
        if (removedText != inserted)
            m_captured->append({position, removedText, inserted, {}, 0});
        return;
    }
    // Qt reports a change of the whole block where an input method's text shows, even when no
    // character changed (an input method's edits are worked out from its event, see below), and
    // the blocks an edit touched once more as the edit ends. But a key that puts back what it
    // took (Return over a paragraph end) is an edit, reported with the character after the
    // paragraph end put in.
    if (removedText == inserted && !clearing) {
        if (m_editKind != BoxHistory::Kind::Group || m_editChanged)
            return;
        const qsizetype firstBreak = inserted.indexOf(QChar::ParagraphSeparator);
        if (firstBreak >= 0) {
            inserted.truncate(firstBreak + 1);
            removedText.truncate(firstBreak + 1);
        }
    }
    if (m_editKind)
        m_editChanged = true;
    const auto breaks = [](const QString &text) { return int(text.count(QChar::ParagraphSeparator)); };
    if (m_inInputMethod) {
        m_paragraphs->textChanged(position, position + int(inserted.size()), breaks(inserted) - breaks(removedText));
        return;
    }

    if (clearing) {
        m_afterClear = true;
        m_history.reset(0);
        if (m_ownHistory)
            announceHistory();
    } else if (m_ownHistory && !m_afterClear) {
        // A change the box did not start (the program's, a QTextCursor's) groups as Qt groups it:
        // text put in with nothing selected runs on with typing; anything else is a step alone.
        const BoxHistory::Kind kind = m_editKind.value_or(
            removedText.isEmpty() && !inserted.contains(QChar::ParagraphSeparator) ? BoxHistory::Kind::Single
                                                                                   : BoxHistory::Kind::Group);
        m_history.record(position, removedText, inserted, kind);
        if (!m_editKind && inserted.contains(QChar::ParagraphSeparator))
            m_history.endRun();
        if (!m_replaying)
            announceHistory();
    }
    if (m_ownHistory)
        announceChange(position, int(removedText.size()), inserted);
    ++m_changes;
    m_paragraphs->textChanged(position, position + int(inserted.size()), breaks(inserted) - breaks(removedText));
}

void TextBox::announceChange(int position, int removed, const QString &inserted)
{
    if (!QAccessible::isActive() || (removed == 0 && inserted.isEmpty()))
        return;
    // As Qt does: the removed text is gone, so only its length is told.
    const QString gone(removed, u' ');
    if (removed == 0) {
        QAccessibleTextInsertEvent event(this, position, inserted);
        announceOwnTextChange(&event);
    } else if (inserted.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, position, gone);
        announceOwnTextChange(&event);
    } else {
        QAccessibleTextUpdateEvent event(this, position, gone, inserted);
        announceOwnTextChange(&event);
    }
}

template <typename Edit> void TextBox::editAsOneStep(int caret, Edit &&edit)
{
    finishClear();
    const std::optional<BoxHistory::Kind> kind = m_editKind;
    const bool changed = std::exchange(m_editChanged, false);
    m_editKind = BoxHistory::Kind::Group;
    m_history.beginGroup(caret);
    edit();
    m_history.endGroup();
    m_editKind = kind;
    m_editChanged = changed;
}

void TextBox::insertWritten(QTextCursor &cursor, QStringView text)
{
    // "\r\n", a lone "\r" or "\n" and U+2029 end a paragraph, as in setPlainText(); a long
    // paragraph goes in cut already, so that Qt never lays it out whole. The text goes into the
    // cursor's paragraph: the break before the first piece stays what it was.
    cursor.removeSelectedText();
    m_text.reserve(m_text.size() + text.size());
    qsizetype lineStart = 0;
    for (;;) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < text.size() && !isParagraphEnd(text[lineEnd]))
            ++lineEnd;
        const QStringView paragraph = text.sliced(lineStart, lineEnd - lineStart);
        qsizetype pieceStart = 0;
        if (paragraph.size() > longParagraphThreshold() && lineWrapMode() != NoWrap) {
            for (const qsizetype cut : CutPlacer::provisionalCuts(paragraph)) {
                cursor.insertText(paragraph.sliced(pieceStart, cut - pieceStart).toString());
                cursor.insertBlock();
                markBreakBefore(cursor.block(), true);
                pieceStart = cut + 1;
            }
        }
        if (pieceStart < paragraph.size())
            cursor.insertText(paragraph.sliced(pieceStart).toString());
        if (lineEnd == text.size())
            break;
        cursor.insertBlock();
        markBreakBefore(cursor.block(), false);
        lineStart = lineEnd + 1;
        if (text[lineEnd] == u'\r' && lineStart < text.size() && text[lineStart] == u'\n')
            ++lineStart;
    }
}

void TextBox::insertText(QTextCursor &cursor, QStringView text)
{
    keepQtHistory();
    if (!m_ownHistory && !makesLongParagraph(cursor, text)) {
        cursor.insertText(text.toString());
        return;
    }
    if (!m_ownHistory) {
        // Taking Qt's history over takes the text back and forth, and cursors with it.
        const int anchor = cursor.anchor();
        const int position = cursor.position();
        takeOverHistory();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
    }
    cursor.beginEditBlock();
    insertWritten(cursor, text);
    cursor.endEditBlock();
}

void TextBox::setWrittenText(const QString &text)
{
    if (lineWrapMode() == NoWrap || !hasLongParagraph(text)) {
        setPlainText(text);
        finishClear();
        return;
    }
    // As setPlainText: nothing to undo, not modified, the caret at the start.
    setPlainText(QString());
    m_settingLong = true;
    useOwnHistory(true);
    m_afterClear = true;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    insertWritten(cursor, text);
    cursor.endEditBlock();
    finishClear();
    m_settingLong = false;
    document()->setModified(false);
    setTextCursor(QTextCursor(document()));
}

bool TextBox::isSettled() const
{
    return m_paragraphs->isSettled();
}

void TextBox::undo()
{
    undoOrRedo(true);
}

void TextBox::redo()
{
    undoOrRedo(false);
}

void TextBox::undoOrRedo(bool undo)
{
    if (!m_ownHistory) {
        keepQtHistory();
        if (undo)
            QPlainTextEdit::undo();
        else
            QPlainTextEdit::redo();
        return;
    }
    finishClear();
    if (const std::optional<BoxHistory::Step> step = undo ? m_history.takeUndo() : m_history.takeRedo())
        applyHistoryStep(*step, undo);
}

void TextBox::applyHistoryStep(const BoxHistory::Step &step, bool undo)
{
    m_replaying = true;
    QTextCursor cursor(document());
    const qsizetype count = step.edits.size();
    for (qsizetype i = 0; i < count; ++i) {
        // An undo takes the edits back last first.
        const BoxHistory::Edit &edit = step.edits.at(undo ? count - 1 - i : i);
        const QString &gone = undo ? edit.inserted : edit.removed;
        const QString &back = undo ? edit.removed : edit.inserted;
        cursor.setPosition(edit.position);
        cursor.setPosition(edit.position + int(gone.size()), QTextCursor::KeepAnchor);
        // One change per edit, which the history knows by its order.
        cursor.beginEditBlock();
        insertWritten(cursor, back);
        cursor.endEditBlock();
    }
    m_history.finishUndoRedo();
    m_replaying = false;
    QTextCursor caret(document());
    caret.setPosition(qBound(0, step.caret, textLength(this)));
    showCaretByPlacedLines(caret);
    announceHistory();
}

void TextBox::showCaretByPlacedLines(std::optional<QTextCursor> caret, int through)
{
    // Qt keeps the caret in view as an edit goes in, by lines the cuts are about to move: what
    // shows is placed first (cuts move the cursors on them), then the caret goes where it was
    // meant to and is kept in view by the lines as they show in one paragraph.
    const int anchor = caret ? caret->anchor() : -1;
    const int position = caret ? caret->position() : -1;
    if (through >= 0)
        m_paragraphs->settleThrough(through);
    else
        m_paragraphs->settleVisible();
    if (caret) {
        caret->setPosition(anchor);
        caret->setPosition(position, QTextCursor::KeepAnchor);
        setTextCursor(*caret);
    }
    ensureCursorVisible();
}

namespace {

// Input that finds its way by the lines shown: a key moving by lines or pages, a click finding
// its place.
bool readsShownLines(QEvent::Type type)
{
    return type == QEvent::KeyPress || type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
}

// Input after which what shows may have changed.
bool changesShownLines(QEvent::Type type)
{
    return readsShownLines(type) || type == QEvent::InputMethod || type == QEvent::MouseButtonRelease ||
           type == QEvent::Drop;
}

} // namespace

template <typename Handler> bool TextBox::placingShown(QEvent *event, Handler &&handle)
{
    // What shows is placed here around the box's input, not in each handler: before input that
    // reads the lines, after any that may have changed them (the caret may have gone where
    // nothing was placed yet). Placing after a scroll, a resize or an edit of the program's is
    // LongParagraphs' own.
    const QEvent::Type type = event->type();
    if (m_ownHistory && readsShownLines(type))
        m_paragraphs->settleVisible();
    const bool handled = handle();
    if (m_ownHistory && changesShownLines(type)) {
        m_paragraphs->settleVisible();
        if (type == QEvent::KeyPress)
            m_paragraphs->caretMoved();
    }
    return handled;
}

bool TextBox::event(QEvent *event)
{
    return placingShown(event, [&] { return QPlainTextEdit::event(event); });
}

bool TextBox::viewportEvent(QEvent *event)
{
    return placingShown(event, [&] { return QPlainTextEdit::viewportEvent(event); });
}

void TextBox::setPreferredSize(int columns, int lines)
{
    m_columns = columns;
    m_lines = lines;
    updateGeometry();
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (!m_ownHistory) {
        keepQtHistory();
        QPlainTextEdit::keyPressEvent(event);
        // Typed past what Qt holds whole: cut at once, as the keys go on.
        if (m_paragraphs->wantsToCut()) {
            takeOverHistory();
            showCaretByPlacedLines(std::nullopt);
        }
        return;
    }
    finishClear();
    if (!isReadOnly() && event->matches(QKeySequence::Undo)) {
        undo();
        event->accept();
        return;
    }
    if (!isReadOnly() && event->matches(QKeySequence::Redo)) {
        redo();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::MoveToNextPage) || event->matches(QKeySequence::SelectNextPage))
        m_paragraphs->preparePageMove(true);
    else if (event->matches(QKeySequence::MoveToPreviousPage) || event->matches(QKeySequence::SelectPreviousPage))
        m_paragraphs->preparePageMove(false);
    if (handleParagraphKey(event) || moveOverSoftBreak(event))
        return;

    // How Qt groups the key's edit for undo: typing, Backspace, Delete and a new line with
    // nothing selected may run on with the keys before; anything else is a step of its own.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool typed = typesText(event);
    const quint64 changesBefore = m_changes;
    const bool single =
        !textCursor().hasSelection() &&
        (typed || (event->key() == Qt::Key_Backspace && !(modifiers & ~Qt::ShiftModifier)) ||
         event->matches(QKeySequence::Delete) || event->matches(QKeySequence::InsertParagraphSeparator) ||
         event->matches(QKeySequence::InsertLineSeparator));
    if (single) {
        m_editKind = BoxHistory::Kind::Single;
        QPlainTextEdit::keyPressEvent(event);
        m_editKind.reset();
    } else {
        editAsOneStep(-1, [&] { QPlainTextEdit::keyPressEvent(event); });
    }
    // Qt keeps the caret in view after every edit: once more by the placed lines.
    if (m_changes != changesBefore)
        showCaretByPlacedLines(std::nullopt);
}

bool TextBox::typesText(const QKeyEvent *event) const
{
    // Which keys Qt puts in as text, as QInputControl::isAcceptableInput() tells (Qt 6.4):
    // formatting characters (U+200B and the like), printable ones unless with Ctrl, private use,
    // a letter beyond the BMP (a pair of surrogates), and a tab.
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return c.isPrint() || c.category() == QChar::Other_PrivateUse ||
           (c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate()) || c == u'\t';
}

void TextBox::paintEvent(QPaintEvent *event)
{
    if (!m_ownHistory) {
        QPlainTextEdit::paintEvent(event);
        return;
    }
    // Qt marks a selected paragraph end with a patch a quarter of a line wide after the text of
    // its last line, unless the layout shows its line and paragraph separators (QTextLayout::draw,
    // Qt 6.4). A soft break is a blank within the paragraph, which a selection does not show at
    // the end of a line: while Qt paints, the pieces before soft breaks say that they show them.
    // A layout that takes its text in while it says so takes a separator's mark in as well: it
    // has its text before (so a line separator in a piece shows no mark either), and lets it go
    // after.
    QList<QTextLayout *> marked;
    if (const QTextCursor selection = textCursor(); selection.hasSelection()) {
        const int height = viewport()->height();
        qreal y = contentOffset().y();
        for (QTextBlock block = firstVisibleBlock(); block.isValid() && y <= height; block = block.next()) {
            y += blockBoundingRect(block).height();
            QTextLayout *layout = block.layout();
            QTextOption option = layout->textOption();
            const int end = block.position() + block.length() - 1;
            if (selection.selectionStart() <= end && selection.selectionEnd() > end && block.next().isValid() &&
                continuesParagraph(block.next()) && !(option.flags() & QTextOption::ShowLineAndParagraphSeparators) &&
                layout->lineCount() > 0) {
                layout->lineAt(0).cursorToX(0);
                option.setFlags(option.flags() | QTextOption::ShowLineAndParagraphSeparators);
                layout->setTextOption(option);
                marked.append(layout);
            }
        }
    }
    QPlainTextEdit::paintEvent(event);
    if (marked.isEmpty())
        return;
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter letGo(&scratch);
    for (QTextLayout *layout : std::as_const(marked)) {
        QTextOption option = layout->textOption();
        option.setFlags(option.flags() & ~QTextOption::ShowLineAndParagraphSeparators);
        layout->setTextOption(option);
        // Drawing nothing: a layout lets its text go when it has drawn.
        layout->draw(&letGo, QPointF(), {}, QRectF(0, -1e6, 1, 1));
    }
}

bool TextBox::handleParagraphKey(QKeyEvent *event)
{
    // Qt's keys for the start and end of a paragraph, and for deleting to its end, act on a
    // block; a long paragraph is several.
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    if (!continuesParagraph(block) && !(block.next().isValid() && continuesParagraph(block.next())))
        return false;
    const bool toStart =
        event->matches(QKeySequence::MoveToStartOfBlock) || event->matches(QKeySequence::SelectStartOfBlock);
    const bool toEnd = event->matches(QKeySequence::MoveToEndOfBlock) ||
                       event->matches(QKeySequence::SelectEndOfBlock) ||
                       (!isReadOnly() && event->matches(QKeySequence::DeleteEndOfLine));
    if (!toStart && !toEnd)
        return false;
    const auto [start, end] = paragraphAround(document(), cursor.position());
    if (toStart) {
        cursor.setPosition(start, event->matches(QKeySequence::SelectStartOfBlock) ? QTextCursor::KeepAnchor
                                                                                   : QTextCursor::MoveAnchor);
    } else if (event->matches(QKeySequence::MoveToEndOfBlock) || event->matches(QKeySequence::SelectEndOfBlock)) {
        cursor.setPosition(end, event->matches(QKeySequence::SelectEndOfBlock) ? QTextCursor::KeepAnchor
                                                                               : QTextCursor::MoveAnchor);
    } else {
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        editAsOneStep(-1, [&] { cursor.removeSelectedText(); });
    }
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
    return true;
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
    const QTextBlock next = cursor.block().next();
    if (cursor.position() == from || !cursor.atBlockEnd() || !next.isValid() || !continuesParagraph(next))
        return false;
    if (forward) {
        cursor.movePosition(QTextCursor::NextCharacter, mode);
        while (!cursor.atBlockEnd() && document()->characterAt(cursor.position()) == u' ')
            cursor.movePosition(QTextCursor::NextCharacter, mode);
    } else {
        cursor.movePosition(QTextCursor::PreviousWord, mode);
    }
    if (remove)
        editAsOneStep(-1, [&] { cursor.removeSelectedText(); });
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
    return true;
}

int TextBox::inputMethodStart() const
{
    // An input method sees the paragraph around the caret, a soft break as its blank; of a long
    // paragraph, a stretch around the caret, as it is given of any long text.
    const int caret = textCursor().position();
    return qMax(paragraphAround(document(), caret, InputMethodReach).first, caret - InputMethodReach);
}

void TextBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (!m_ownHistory) {
        keepQtHistory();
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    // The input method counts a selection it sets from the start of the text it was given; Qt
    // counts from the start of the caret's block, which may be a piece.
    const QTextCursor cursor = textCursor();
    const int shift = inputMethodStart() - cursor.block().position();
    QList<QInputMethodEvent::Attribute> attributes = event->attributes();
    for (QInputMethodEvent::Attribute &attribute : attributes) {
        if (attribute.type == QInputMethodEvent::Selection)
            attribute.start += shift;
    }
    QInputMethodEvent shifted(event->preeditString(), attributes);
    shifted.setCommitString(event->commitString(), event->replacementStart(), event->replacementLength());

    // What Qt does with the event (QWidgetTextControlPrivate::inputMethodEvent, Qt 6.4), worked
    // out beforehand, as Qt reports it as a change of the whole block: when text comes in or the
    // composed text changes, the selection goes; the commit string then replaces the given
    // stretch around the caret. Qt's cursor does not move to a place outside the text: the
    // stretch then starts at the caret, or is empty.
    QList<BoxHistory::Edit> edits;
    const int caretBefore = cursor.position();
    const bool gettingInput = !event->commitString().isEmpty() || event->replacementLength() > 0 ||
                              event->preeditString() != cursor.block().layout()->preeditAreaText();
    int caret = caretBefore;
    int removedStart = 0;
    int removedLength = 0;
    if (gettingInput && cursor.hasSelection()) {
        caret = removedStart = cursor.selectionStart();
        removedLength = cursor.selectionEnd() - caret;
        edits.append({caret, m_text.mid(caret, removedLength), QString(), {}, 0});
    }
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        const int length = int(m_text.size()) - removedLength;
        const auto inText = [length](int position) { return position >= 0 && position <= length; };
        const int start = inText(caret + event->replacementStart()) ? caret + event->replacementStart() : caret;
        const int end = inText(start + event->replacementLength()) ? start + event->replacementLength() : start;
        // The text between them, as it is once the selection is gone.
        QString replaced;
        for (int i = start; i < end; ++i)
            replaced += m_text.at(i < removedStart ? i : i + removedLength);
        // As Qt's text cursor puts text in: a paragraph break as the document holds it.
        QString inserted = event->commitString();
        inserted.replace(u"\r\n"_s, QString(QChar::ParagraphSeparator));
        std::replace_if(inserted.begin(), inserted.end(), isParagraphEnd, QChar(QChar::ParagraphSeparator));
        edits.append({start, replaced, inserted, {}, 0});
    }

    finishClear();
    m_inInputMethod = true;
    if (gettingInput && cursor.hasSelection()) {
        // Qt takes the selection out within the same change as the commit, and a block it joins
        // keeps the mark of its last part: from the start of a paragraph to the end of a cut one,
        // a paragraph break would come out soft. Taken out first, as a change of its own, the
        // mark where it starts is set as the written text has it (see noteChange()).
        QTextCursor selection = textCursor();
        selection.removeSelectedText();
    }
    QPlainTextEdit::inputMethodEvent(&shifted);
    m_inInputMethod = false;
    event->setAccepted(shifted.isAccepted());
    // Qt puts it in as one edit, and an undo brings the caret back.
    m_history.beginGroup(caretBefore);
    for (const BoxHistory::Edit &edit : std::as_const(edits)) {
        if (edit.removed.isEmpty() && edit.inserted.isEmpty())
            continue;
        m_history.record(edit.position, edit.removed, edit.inserted, BoxHistory::Kind::Group);
        announceChange(edit.position, int(edit.removed.size()), edit.inserted);
    }
    m_history.endGroup();
    announceHistory();
    // While an input method composes, its text shows in the caret's block: no cut moves.
    m_composing = !event->preeditString().isEmpty();
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (!m_ownHistory)
        return QPlainTextEdit::inputMethodQuery(query);
    const QTextCursor cursor = textCursor();
    const int from = inputMethodStart();
    const int to = qMin(paragraphAround(document(), cursor.position(), InputMethodReach).second,
                        cursor.position() + InputMethodReach);
    switch (query) {
    case Qt::ImSurroundingText:
        return m_text.mid(from, to - from);
    case Qt::ImCursorPosition:
        return cursor.position() - from;
    case Qt::ImAnchorPosition:
        return qBound(from, cursor.anchor(), to) - from;
    case Qt::ImCurrentSelection:
        // As Qt's QTextCursor::selectedText(): a paragraph break as U+2029, a soft break its blank.
        return m_text.mid(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
    case Qt::ImTextBeforeCursor:
        return boxTextBetween(this, qMax(0, cursor.position() - InputMethodReach), cursor.position());
    case Qt::ImTextAfterCursor:
        return boxTextBetween(this, cursor.position(), cursor.position() + InputMethodReach);
    default:
        return QPlainTextEdit::inputMethodQuery(query);
    }
}

QMimeData *TextBox::createMimeDataFromSelection() const
{
    if (!m_ownHistory)
        return QPlainTextEdit::createMimeDataFromSelection();
    // Qt's copy would turn each soft break into a line break: the same copy is made of the text as
    // written, held as Qt holds it.
    const QTextCursor cursor = textCursor();
    return new WrittenMimeData(m_text.mid(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()),
                               document());
}

int TextBox::undoCaretForInsertion(const QTextCursor &cursor) const
{
    // Where Qt's undo of a paste leaves the caret: as for any edit, unless the text went in at
    // the very start, where Qt also takes the first paragraph's format back, and ends after it.
    if (cursor.hasSelection() || cursor.position() != 0)
        return -1;
    return qMin(paragraphAround(document(), 0).second + 1, textLength(this));
}

void TextBox::insertFromMimeData(const QMimeData *source)
{
    keepQtHistory();
    if (isReadOnly() || !source || !source->hasText() ||
        (!m_ownHistory && (m_inQtDrop || !makesLongParagraph(textCursor(), source->text())))) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    takeOverHistory();
    // Cut as it goes in: a long paragraph pasted whole would be laid out whole once.
    editAsOneStep(undoCaretForInsertion(textCursor()), [&] {
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock();
        insertWritten(cursor, source->text());
        cursor.endEditBlock();
        // Placed up to the caret for a paste of some pages (a longer one would wait for all of
        // it to be laid out; the view then follows the caret by the lines cut as it went in).
        showCaretByPlacedLines(cursor, source->text().size() <= exactPasteLength ? cursor.position() : -1);
    });
}

void TextBox::dropEvent(QDropEvent *event)
{
    keepQtHistory();
    const QMimeData *data = event->mimeData();
    QTextCursor target = cursorForPosition(event->position().toPoint());
    if (isReadOnly() || !data || !data->hasText() || data->text().isEmpty() ||
        (!m_ownHistory && !makesLongParagraph(target, data->text()))) {
        m_inQtDrop = true;
        QPlainTextEdit::dropEvent(event);
        m_inQtDrop = false;
        return;
    }
    takeOverHistory();
    // As Qt drops text, as one step: moved within the box, the text leaves where it was, then
    // goes where it was dropped. Qt would do both as one change spanning all between them.
    target = cursorForPosition(event->position().toPoint());
    // Qt starts a drag from the box's viewport.
    const bool fromHere = event->source() == this || event->source() == viewport();
    const int caret = target.position() == 0 ? undoCaretForInsertion(target) : target.position();
    editAsOneStep(caret, [&] {
        if (event->dropAction() == Qt::MoveAction && fromHere) {
            QTextCursor moved = textCursor();
            moved.removeSelectedText();
        }
        target.beginEditBlock();
        insertWritten(target, data->text());
        target.endEditBlock();
        showCaretByPlacedLines(target);
        // Qt puts the caret there within the drop's edit block, which leaves its place along the
        // line to be found when it next goes up or down (QWidgetTextControl::dropEvent, Qt 6.4).
        QTextCursor dropped = textCursor();
        dropped.setVerticalMovementX(-1);
        setTextCursor(dropped);
    });
    event->acceptProposedAction();
    // What Qt's drop handling also does: the drop's feedback and scrolling end.
    QDragLeaveEvent leave;
    QPlainTextEdit::dragLeaveEvent(&leave);
}

void TextBox::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_ownHistory) {
        keepQtHistory();
        QPlainTextEdit::contextMenuEvent(event);
        return;
    }
    // Qt's menu, with Undo and Redo taken to the box's own history. Qt 6.4 names its actions
    // (QWidgetTextControl::createStandardContextMenu) and connects them to its own slots.
    QMenu *menu = createStandardContextMenu(event->pos());
    if (!menu)
        return;
    for (QAction *action : menu->actions()) {
        const bool undoAction = action->objectName() == u"edit-undo";
        const bool redoAction = action->objectName() == u"edit-redo";
        if (!undoAction && !redoAction)
            continue;
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        action->setEnabled(!isReadOnly() && (undoAction ? isUndoAvailable() : isRedoAvailable()));
        connect(action, &QAction::triggered, this, undoAction ? &TextBox::undo : &TextBox::redo);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    m_tripleClickDeadline = QDateTime::currentMSecsSinceEpoch() + QApplication::doubleClickInterval();
    m_tripleClickPoint = event->position();
}

void TextBox::mousePressEvent(QMouseEvent *event)
{
    // A triple click as Qt takes it: soon after a double click, and near it.
    const bool tripleClick =
        event->button() == Qt::LeftButton && m_tripleClickDeadline >= 0 &&
        QDateTime::currentMSecsSinceEpoch() <= m_tripleClickDeadline &&
        (event->position() - m_tripleClickPoint).toPoint().manhattanLength() < QApplication::startDragDistance();
    m_tripleClickDeadline = -1;
    m_tripleClickParagraph = {-1, -1};
    // Qt selects the block of the word the double click selected and its break
    // (QWidgetTextControlPrivate::mousePressEvent, Qt 6.4); a long paragraph is several blocks.
    const int word = textCursor().selectionStart();
    if (m_ownHistory && tripleClick && textCursor().hasSelection()) {
        // Qt knows a triple click by where the double click was in its contents' coordinates,
        // which count from the top block shown: if cuts above moved since, it takes the press
        // for one on the selected word, which its release then undoes. With nothing selected it
        // puts the caret there, and keeps what the box selects.
        QTextCursor collapsed = textCursor();
        collapsed.clearSelection();
        setTextCursor(collapsed);
    }
    QPlainTextEdit::mousePressEvent(event);
    if (!m_ownHistory || !tripleClick)
        return;
    m_tripleClickParagraph = paragraphAround(document(), word);
    selectWholeParagraphs(m_tripleClickParagraph.first, m_tripleClickParagraph.second);
}

void TextBox::mouseMoveEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseMoveEvent(event);
    if (m_tripleClickParagraph.first < 0 || !(event->buttons() & Qt::LeftButton))
        return;
    // Dragged on after a triple click, Qt selects whole blocks from the one clicked to the one
    // under the pointer (QWidgetTextControlPrivate::extendBlockwiseSelection, Qt 6.4): whole
    // paragraphs here.
    const int position = textCursor().position();
    const auto [start, end] = m_tripleClickParagraph;
    if (position < start)
        selectWholeParagraphs(end, paragraphAround(document(), position).first);
    else
        selectWholeParagraphs(start, paragraphAround(document(), qMax(position - 1, start)).second);
}

void TextBox::selectWholeParagraphs(int anchor, int position)
{
    // The paragraph's break is selected with it, as Qt selects a block's.
    const auto withBreak = [this](int end) { return qMin(end + 1, textLength(this)); };
    QTextCursor cursor(document());
    const bool forward = position >= anchor;
    cursor.setPosition(forward ? anchor : withBreak(anchor));
    cursor.setPosition(forward ? withBreak(position) : position, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TextBox::resizeEvent(QResizeEvent *event)
{
    // Qt lays the text out at the viewport's width, less the document's margins.
    m_paragraphs->widthChanging(viewport()->width() - 2 * document()->documentMargin());
    QPlainTextEdit::resizeEvent(event);
    m_paragraphs->geometryChanged();
}

void TextBox::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange)
        m_paragraphs->geometryChanged();
}

void TextBox::showEvent(QShowEvent *event)
{
    QPlainTextEdit::showEvent(event);
    m_paragraphs->geometryChanged();
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
