#pragma once

#include <QList>
#include <QString>

#include <optional>

// What a multi-line box can undo and redo, in the text the user wrote. The box keeps this itself,
// rather than in its document, because it cuts long paragraphs into pieces as the width asks:
// cuts change no character, and must neither be undone nor take away what can be redone.
//
// Edits are grouped into steps as Qt's own text edits group them, so that a box undoes exactly
// as a plain one: a run of typed characters is one step, as is a run of Backspace or of Delete,
// and typing right after a paste or a replaced selection joins that step. As in Qt, characters
// only run on if they were written one after the other (each character remembers when it was
// written: its origin).
class BoxHistory
{
public:
    // Consecutive characters written in one go.
    struct Origins
    {
        qsizetype length = 0;
        qint64 first = 0;
    };

    // One change of the text: `removed` was at `position`, `inserted` stands there now.
    struct Edit
    {
        int position = 0;
        QString removed;
        QString inserted;
        QList<Origins> removedOrigins;
        qint64 insertedOrigin = 0;
    };

    // How an edit came about. A single one (a typed character, Backspace or Delete with nothing
    // selected) may run on with the edit before; one of a group (a paste, a replaced selection,
    // a word deleted) may not, though typing may run on after it.
    enum class Kind { Single, Group };

    // The caret after undoing or redoing a step, and the edits to apply: for an undo, each
    // edit's `inserted` is to be replaced by its `removed`, last edit first.
    struct Step
    {
        QList<Edit> edits;
        int caret = 0;
    };

    // The text is new: nothing to undo, and all of it written at once.
    void reset(qsizetype textLength);

    // A step kept elsewhere until now (Qt's own history of the box): its edits as they were made,
    // and where the caret goes after undoing and after redoing it.
    struct Adopted
    {
        QList<Edit> edits;
        int undoCaret = 0;
        int redoCaret = 0;
    };
    // Takes these steps over, the first `done` of them done; before the first, the text was
    // `initialLength` long, written at once.
    void adopt(QList<Adopted> steps, qsizetype done, qsizetype initialLength);

    // Edits that follow belong to one step, up to endGroup(); `caret` is where the editing caret
    // stood, which an undo returns to if the step does not start there.
    void beginGroup(int caret);
    void endGroup();

    // Notes an edit of the text. While an undo or redo is applied, its edits only restore the
    // origins of the characters they bring back.
    void record(int position, QString removed, QString inserted, Kind kind);

    // Typing does not run on after the last edit. Qt's QTextCursor::insertText() writes the text
    // with line breaks in before the paragraph ends it makes, so its last line is not followed
    // by what is typed next.
    void endRun() { ++m_nextOrigin; }

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    // The step to undo or redo; while its edits are applied, call record() for each as usual.
    std::optional<Step> takeUndo();
    std::optional<Step> takeRedo();
    void finishUndoRedo() { m_replaying = nullptr; }

private:
    struct Record
    {
        QList<Edit> edits;
        int groupCaret = -1;
        bool single = false; // made of single edits only: a run of Backspace or Delete may go on
        bool open = false;   // a group still being written
        // Where an adopted step leaves the caret; -1 where it follows from the edits.
        int undoCaret = -1;
        int redoCaret = -1;
    };

    QList<Origins> takeOrigins(qsizetype position, qsizetype length);
    void insertOrigins(qsizetype position, QList<Origins> origins);
    bool runsOn(const Record &last, const Edit &edit, Kind kind) const;

    QList<Record> m_steps;
    qsizetype m_done = 0; // steps m_done and on are undone, ready to redo
    QList<Origins> m_origins;
    qint64 m_nextOrigin = 0;
    int m_groupDepth = 0;
    int m_groupCaret = -1;
    // While an undo or redo is applied: its edits, in the order they come, with their origins.
    const QList<Edit> *m_replaying = nullptr;
    bool m_replayingUndo = false;
    qsizetype m_replayed = 0;
};
