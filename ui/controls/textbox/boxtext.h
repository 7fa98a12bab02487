#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The text of a multi-line box as the user wrote it, kept beside the box's document: where the
// box cut a long paragraph into pieces, this holds the blank the cut stands for. Positions are
// the document's. Edits come one at a time, mostly near the one before, so the text is held
// with a gap at the last edit: typing in the middle of a megabyte moves nothing.
class BoxText
{
public:
    qsizetype size() const { return qsizetype(m_buffer.size()) - gapLength(); }
    QChar at(qsizetype position) const
    {
        return QChar(m_buffer[std::size_t(position < m_gapStart ? position : position + gapLength())]);
    }
    QString mid(qsizetype position, qsizetype length) const;
    QString toString() const { return mid(0, size()); }
    // Where `c` first stands in [from, to), or -1.
    qsizetype indexOf(QChar c, qsizetype from, qsizetype to) const;

    void replace(qsizetype position, qsizetype removed, QStringView inserted);
    void assign(QStringView text);
    // Room for `size` characters in all, so that text put in piece by piece is copied once.
    void reserve(qsizetype size);

private:
    qsizetype gapLength() const { return m_gapEnd - m_gapStart; }
    void moveGap(qsizetype position);
    // Makes the gap at least `length` long, the buffer growing by half again at least.
    void growGap(qsizetype length);

    std::vector<char16_t> m_buffer;
    qsizetype m_gapStart = 0;
    qsizetype m_gapEnd = 0;
};
