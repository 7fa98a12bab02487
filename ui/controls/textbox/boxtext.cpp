#include "ui/controls/textbox/boxtext.h"

#include <algorithm>
#include <cstring>

namespace {

// memmove() must not be given a null pointer, even for nothing to copy (an empty text has no buffer).
void moveChars(char16_t *to, const char16_t *from, qsizetype count)
{
    if (count > 0)
        std::memmove(to, from, std::size_t(count) * sizeof(char16_t));
}

} // namespace

QString BoxText::mid(qsizetype position, qsizetype length) const
{
    position = std::clamp<qsizetype>(position, 0, size());
    length = std::clamp<qsizetype>(length, 0, size() - position);
    QString text(length, Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    const char16_t *buffer = m_buffer.data();
    // The part before the gap, then the part after it.
    const qsizetype before = std::clamp<qsizetype>(m_gapStart - position, 0, length);
    moveChars(out, buffer + position, before);
    moveChars(out + before, buffer + position + before + gapLength(), length - before);
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
        moveChars(buffer + m_gapEnd - count, buffer + position, count);
        m_gapStart -= count;
        m_gapEnd -= count;
    } else if (position > m_gapStart) {
        const qsizetype count = position - m_gapStart;
        moveChars(buffer + m_gapStart, buffer + m_gapEnd, count);
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
    if (gapLength() < inserted.size())
        growGap(inserted.size());
    moveChars(m_buffer.data() + m_gapStart, inserted.utf16(), inserted.size());
    m_gapStart += inserted.size();
}

void BoxText::reserve(qsizetype size)
{
    if (size > this->size() && gapLength() < size - this->size())
        growGap(size - this->size());
}

void BoxText::growGap(qsizetype length)
{
    // By half again at least, so that a run of typing reallocates rarely.
    const qsizetype after = qsizetype(m_buffer.size()) - m_gapEnd;
    const qsizetype needed = m_gapStart + length + after;
    std::vector<char16_t> grown(std::size_t(std::max(needed, qsizetype(m_buffer.size()) * 3 / 2) + 64));
    moveChars(grown.data(), m_buffer.data(), m_gapStart);
    const qsizetype newGapEnd = qsizetype(grown.size()) - after;
    moveChars(grown.data() + newGapEnd, m_buffer.data() + m_gapEnd, after);
    m_buffer = std::move(grown);
    m_gapEnd = newGapEnd;
}

void BoxText::assign(QStringView text)
{
    m_buffer.assign(text.utf16(), text.utf16() + text.size());
    m_buffer.resize(std::size_t(text.size() + 64));
    m_gapStart = text.size();
    m_gapEnd = qsizetype(m_buffer.size());
}
