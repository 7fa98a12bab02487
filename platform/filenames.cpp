#include "platform/filenames.h"

namespace {

constexpr char32_t EscapeBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at the start of `bytes`, or 0 when there is none.
qsizetype utf8SequenceAt(QByteArrayView bytes, char32_t *codePoint)
{
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    const unsigned char lead = byte(0);
    qsizetype length = 0;
    char32_t value = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, lowest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *codePoint = value;
    return length;
}

void appendUtf8(QByteArray &out, char32_t c)
{
    if (c < 0x80) {
        out.append(char(c));
    } else if (c < 0x800) {
        out.append(char(0xC0 | (c >> 6)));
        out.append(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.append(char(0xE0 | (c >> 12)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    } else {
        out.append(char(0xF0 | (c >> 18)));
        out.append(char(0x80 | ((c >> 12) & 0x3F)));
        out.append(char(0x80 | ((c >> 6) & 0x3F)));
        out.append(char(0x80 | (c & 0x3F)));
    }
}

} // namespace

QString fileNameFromBytes(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    while (!bytes.isEmpty()) {
        char32_t codePoint = 0;
        qsizetype length = utf8SequenceAt(bytes, &codePoint);
        if (length == 0) {
            codePoint = EscapeBase + static_cast<unsigned char>(bytes.front());
            length = 1;
        }
        if (codePoint >= 0x10000) {
            name.append(QChar::highSurrogate(codePoint));
            name.append(QChar::lowSurrogate(codePoint));
        } else {
            name.append(QChar(char16_t(codePoint)));
        }
        bytes = bytes.sliced(length);
    }
    return name;
}

QByteArray fileNameToBytes(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            appendUtf8(bytes, QChar::surrogateToUcs4(c, name.at(i + 1).unicode()));
            ++i;
        } else if (c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF) {
            bytes.append(char(c - EscapeBase)); // a byte kept from a name that was not UTF-8
        } else if (QChar::isSurrogate(c)) {
            appendUtf8(bytes, 0xFFFD); // half a pair: no name on disk can hold it
        } else {
            appendUtf8(bytes, c);
        }
    }
    return bytes;
}
