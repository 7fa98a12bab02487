#include "ui/controls/textbox/boxhistory.h"

namespace {

bool hasParagraphBreak(const QString &text)
{
    return text.contains(QChar(QChar::ParagraphSeparator));
}

// Splits the run holding `position` so that a run starts there; returns that run's index.
qsizetype splitAt(QList<BoxHistory::Origins> &runs, qsizetype position)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < runs.size(); ++i) {
        if (position == start)
            return i;
        const qsizetype length = runs.at(i).length;
        if (position < start + length) {
            const BoxHistory::Origins tail{start + length - position, runs.at(i).first + (position - start)};
            runs[i].length = position - start;
            runs.insert(i + 1, tail);
            return i + 1;
        }
        start += length;
    }
    return runs.size();
}

// Joins neighbouring runs written one after the other, so that runs stay few.
void appendRun(QList<BoxHistory::Origins> &runs, BoxHistory::Origins run)
{
    if (run.length == 0)
        return;
    if (!runs.isEmpty() && runs.last().first + runs.last().length == run.first)
        runs.last().length += run.length;
    else
        runs.append(run);
}

} // namespace

void BoxHistory::reset(qsizetype textLength)
{
    m_steps.clear();
    m_done = 0;
    m_origins.clear();
    appendRun(m_origins, {textLength, m_nextOrigin});
    m_nextOrigin += textLength;
    m_replaying = nullptr;
}

void BoxHistory::adopt(QList<Adopted> steps, qsizetype done, qsizetype initialLength)
{
    // Where each character came from is worked out as the steps wrote it, from the text before
    // the first: Qt runs typing and deleting on by the same rule.
    reset(initialLength);
    for (Adopted &step : steps) {
        for (Edit &edit : step.edits) {
            edit.removedOrigins = takeOrigins(edit.position, edit.removed.size());
            edit.insertedOrigin = m_nextOrigin;
            insertOrigins(edit.position, {{edit.inserted.size(), m_nextOrigin}});
            m_nextOrigin += edit.inserted.size();
        }
        Record record;
        record.edits = std::move(step.edits);
        record.undoCaret = step.undoCaret;
        record.redoCaret = step.redoCaret;
        m_steps.append(std::move(record));
    }
    m_done = qBound<qsizetype>(0, done, m_steps.size());
    // The steps not done are undone again.
    for (qsizetype i = m_steps.size() - 1; i >= m_done; --i) {
        const QList<Edit> &edits = m_steps.at(i).edits;
        for (qsizetype j = edits.size() - 1; j >= 0; --j) {
            takeOrigins(edits.at(j).position, edits.at(j).inserted.size());
            insertOrigins(edits.at(j).position, edits.at(j).removedOrigins);
        }
    }
}

void BoxHistory::beginGroup(int caret)
{
    // An inner group may say where the caret goes back to, until the group's first edit.
    const bool started = m_groupDepth > 0 && !m_steps.isEmpty() && m_steps.last().open;
    if (m_groupDepth++ == 0 || (caret >= 0 && !started))
        m_groupCaret = caret;
}

void BoxHistory::endGroup()
{
    if (--m_groupDepth > 0)
        return;
    m_groupDepth = 0;
    if (!m_steps.isEmpty())
        m_steps.last().open = false;
}

QList<BoxHistory::Origins> BoxHistory::takeOrigins(qsizetype position, qsizetype length)
{
    QList<Origins> taken;
    if (length <= 0)
        return taken;
    const qsizetype first = splitAt(m_origins, position);
    const qsizetype end = splitAt(m_origins, position + length);
    for (qsizetype i = first; i < end; ++i)
        appendRun(taken, m_origins.at(i));
    m_origins.remove(first, end - first);
    return taken;
}

void BoxHistory::insertOrigins(qsizetype position, QList<Origins> origins)
{
    qsizetype at = splitAt(m_origins, position);
    for (const Origins &run : origins) {
        if (run.length > 0)
            m_origins.insert(at++, run);
    }
    // Rejoin what the split and the insertion left side by side.
    QList<Origins> joined;
    joined.reserve(m_origins.size());
    for (const Origins &run : std::as_const(m_origins))
        appendRun(joined, run);
    m_origins = std::move(joined);
}

bool BoxHistory::runsOn(const Record &last, const Edit &edit, Kind kind) const
{
    if (kind != Kind::Single || last.open || last.edits.isEmpty())
        return false;
    const Edit &before = last.edits.last();
    if (edit.removed.isEmpty()) {
        // Typing goes on after typed or pasted text, where it ends, if nothing was written
        // since; a new paragraph is a step of its own.
        return !edit.inserted.isEmpty() && !hasParagraphBreak(edit.inserted) && !before.inserted.isEmpty() &&
               before.inserted.back() != QChar::ParagraphSeparator &&
               before.position + before.inserted.size() == edit.position &&
               before.insertedOrigin + before.inserted.size() == edit.insertedOrigin;
    }
    // Deleting goes on only after deleting, one character written after (Delete) or before
    // (Backspace) the other; removing a paragraph break is a step of its own.
    if (!edit.inserted.isEmpty() || !last.single || !before.inserted.isEmpty() || before.removed.isEmpty() ||
        hasParagraphBreak(edit.removed) || hasParagraphBreak(before.removed) || edit.removedOrigins.size() != 1 ||
        before.removedOrigins.size() != 1)
        return false;
    const Origins was = before.removedOrigins.first();
    const Origins now = edit.removedOrigins.first();
    const bool forward = edit.position == before.position && was.first + was.length == now.first;
    const bool backward = edit.position + edit.removed.size() == before.position && now.first + now.length == was.first;
    return forward || backward;
}

void BoxHistory::record(int position, QString removed, QString inserted, Kind kind)
{
    if (m_replaying) {
        // The origins the edit being undone or redone had.
        takeOrigins(position, removed.size());
        const qsizetype count = m_replaying->size();
        if (m_replayed < count) {
            const Edit &edit = m_replaying->at(m_replayingUndo ? count - 1 - m_replayed : m_replayed);
            insertOrigins(position, m_replayingUndo ? edit.removedOrigins
                                                    : QList<Origins>{{edit.inserted.size(), edit.insertedOrigin}});
        } else {
            insertOrigins(position, {{inserted.size(), m_nextOrigin}});
            m_nextOrigin += inserted.size();
        }
        ++m_replayed;
        return;
    }

    Edit edit{position, std::move(removed), std::move(inserted), {}, m_nextOrigin};
    edit.removedOrigins = takeOrigins(position, edit.removed.size());
    insertOrigins(position, {{edit.inserted.size(), m_nextOrigin}});
    m_nextOrigin += edit.inserted.size();
    // A new edit ends what could be redone.
    m_steps.resize(m_done);

    if (m_groupDepth > 0 && !m_steps.isEmpty() && m_steps.last().open) {
        m_steps.last().edits.append(std::move(edit));
        return;
    }
    if (m_groupDepth == 0 && !m_steps.isEmpty() && runsOn(m_steps.last(), edit, kind)) {
        Edit &before = m_steps.last().edits.last();
        if (edit.removed.isEmpty()) {
            before.inserted += edit.inserted;
        } else if (edit.position == before.position) {
            before.removed += edit.removed;
            before.removedOrigins.first().length += edit.removed.size();
        } else {
            before.position = edit.position;
            before.removed.prepend(edit.removed);
            before.removedOrigins = {{before.removed.size(), edit.removedOrigins.first().first}};
        }
        return;
    }
    Record record;
    record.edits.append(std::move(edit));
    record.open = m_groupDepth > 0;
    record.groupCaret = record.open ? m_groupCaret : -1;
    record.single = !record.open && kind == Kind::Single;
    m_steps.append(std::move(record));
    ++m_done;
}

std::optional<BoxHistory::Step> BoxHistory::takeUndo()
{
    if (!canUndo())
        return std::nullopt;
    Record &record = m_steps[--m_done];
    record.open = false;
    const Edit &first = record.edits.first();
    // As Qt: back where the caret stood before the step, or after the text brought back.
    const int caret = record.undoCaret >= 0 ? record.undoCaret
                      : record.groupCaret >= 0 && record.groupCaret != first.position
                          ? record.groupCaret
                          : first.position + int(first.removed.size());
    m_replaying = &record.edits;
    m_replayingUndo = true;
    m_replayed = 0;
    return Step{record.edits, caret};
}

std::optional<BoxHistory::Step> BoxHistory::takeRedo()
{
    if (!canRedo())
        return std::nullopt;
    const Record &record = m_steps[m_done++];
    const Edit &last = record.edits.last();
    m_replaying = &record.edits;
    m_replayingUndo = false;
    m_replayed = 0;
    return Step{record.edits, record.redoCaret >= 0 ? record.redoCaret : last.position + int(last.inserted.size())};
}
