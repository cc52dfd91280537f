#include "HeadingStart.h"
#include "TextCodec.h"
#include <cstring>

namespace {

// The characters a heading line can start with, after its blanks.
const QString kHeadingChars = QStringLiteral("第序楔引前尾后後番Cc");

}

HeadingStart::HeadingStart(TextEncoding encoding)
{
    for (QChar c : kHeadingChars) {
        m_headingChars.push_back(TextCodec::Encode(encoding, QString(c)));
        Add(m_headingChars.back());
        if (m_headingChars.back().size() == 1)
            m_oneByteChar[uchar(m_headingChars.back()[0])] = true;
    }
    for (const QString &blank : {QStringLiteral(" "), QStringLiteral("\t"), QStringLiteral("\u3000")}) {
        m_blanks.push_back(TextCodec::Encode(encoding, blank));
        Add(m_blanks.back());
        m_blankStart[uchar(m_blanks.back()[0])] = true;
    }
}

void HeadingStart::Add(const QByteArray &encoded)
{
    m_mayStart[uchar(encoded[0])] = true;
    if (encoded.size() == 1)
        m_oneByteStart[uchar(encoded[0])] = true;
    else
        m_firstTwoBytes.set(uchar(encoded[0]) << 8 | uchar(encoded[1]));
}

qint64 HeadingStart::SkipBlanks(const char *bytes, qint64 size) const
{
    qint64 at = 0;
    for (bool skipped = true; skipped && at < size && m_blankStart[uchar(bytes[at])];) {
        skipped = false;
        for (const QByteArray &blank : m_blanks) {
            if (at + blank.size() <= size && std::memcmp(bytes + at, blank.constData(), size_t(blank.size())) == 0) {
                at += blank.size();
                skipped = true;
            }
        }
    }
    return at;
}

bool HeadingStart::StartsWithHeadingChar(const char *bytes, qint64 size) const
{
    const qint64 blanks = SkipBlanks(bytes, size);
    bytes += blanks;
    size -= blanks;
    if (size == 0)
        return false;
    if (m_oneByteChar[uchar(bytes[0])])
        return true;
    if (size < 2 || !m_firstTwoBytes.test(uchar(bytes[0]) << 8 | uchar(bytes[1])))
        return false;
    for (const QByteArray &c : m_headingChars) {
        if (c.size() <= size && std::memcmp(bytes, c.constData(), size_t(c.size())) == 0)
            return true;
    }
    return false;
}
