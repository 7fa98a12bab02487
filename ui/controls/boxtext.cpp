#include "ui/controls/boxtext.h"

#include <algorithm>
#include <cstring>

QString BoxText::mid(qsizetype position, qsizetype length) const
{
    position = std::clamp<qsizetype>(position, 0, size());
    length = std::clamp<qsizetype>(length, 0, size() - position);
    QString text(length, Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    const char16_t *buffer = m_buffer.data();
    // The part before the gap, then the part after it.
    const qsizetype before = std::clamp<qsizetype>(m_gapStart - position, 0, length);
    std::memcpy(out, buffer + position, std::size_t(before) * sizeof(char16_t));
    std::memcpy(out + before, buffer + position + before + gapLength(),
                std::size_t(length - before) * sizeof(char16_t));
    return text;
}

qsizetype BoxText::indexOf(QChar c, qsizetype from, qsizetype to) const
{
    from = std::clamp<qsizetype>(from, 0, size());
    to = std::clamp<qsizetype>(to, from, size());
    const char16_t wanted = c.unicode();
    const char16_t *buffer = m_buffer.data();
    // Before the gap, then after it, each a plain search.
    const qsizetype beforeEnd = std::min(to, m_gapStart);
    if (from < beforeEnd) {
        const char16_t *found = std::find(buffer + from, buffer + beforeEnd, wanted);
        if (found != buffer + beforeEnd)
            return found - buffer;
    }
    const qsizetype afterStart = std::max(from, m_gapStart);
    if (afterStart < to) {
        const char16_t *first = buffer + afterStart + gapLength();
        const char16_t *last = buffer + to + gapLength();
        const char16_t *found = std::find(first, last, wanted);
        if (found != last)
            return found - buffer - gapLength();
    }
    return -1;
}

void BoxText::moveGap(qsizetype position)
{
    char16_t *buffer = m_buffer.data();
    if (position < m_gapStart) {
        const qsizetype count = m_gapStart - position;
        std::memmove(buffer + m_gapEnd - count, buffer + position, std::size_t(count) * sizeof(char16_t));
        m_gapStart -= count;
        m_gapEnd -= count;
    } else if (position > m_gapStart) {
        const qsizetype count = position - m_gapStart;
        std::memmove(buffer + m_gapStart, buffer + m_gapEnd, std::size_t(count) * sizeof(char16_t));
        m_gapStart += count;
        m_gapEnd += count;
    }
}

void BoxText::replace(qsizetype position, qsizetype removed, QStringView inserted)
{
    position = std::clamp<qsizetype>(position, 0, size());
    removed = std::clamp<qsizetype>(removed, 0, size() - position);
    moveGap(position);
    m_gapEnd += removed;
    if (gapLength() < inserted.size()) {
        // Grow by half again, so that a run of typing reallocates rarely.
        const qsizetype after = qsizetype(m_buffer.size()) - m_gapEnd;
        const qsizetype needed = m_gapStart + inserted.size() + after;
        std::vector<char16_t> grown(std::size_t(needed + needed / 2 + 64));
        std::memcpy(grown.data(), m_buffer.data(), std::size_t(m_gapStart) * sizeof(char16_t));
        const qsizetype newGapEnd = qsizetype(grown.size()) - after;
        std::memcpy(grown.data() + newGapEnd, m_buffer.data() + m_gapEnd, std::size_t(after) * sizeof(char16_t));
        m_buffer = std::move(grown);
        m_gapEnd = newGapEnd;
    }
    std::memcpy(m_buffer.data() + m_gapStart, inserted.utf16(), std::size_t(inserted.size()) * sizeof(char16_t));
    m_gapStart += inserted.size();
}

void BoxText::assign(QStringView text)
{
    m_buffer.assign(text.utf16(), text.utf16() + text.size());
    m_buffer.resize(std::size_t(text.size() + 64));
    m_gapStart = text.size();
    m_gapEnd = qsizetype(m_buffer.size());
}
