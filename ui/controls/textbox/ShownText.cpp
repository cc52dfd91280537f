#include "ShownText.h"
#include <algorithm>

namespace {
const QChar kCR(u'\r');
const QChar kLF(u'\n');
}

QString CutAtNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

ShownText::ShownText(const QString &text, Breaks breaks) : m_text(text)
{
    const QChar shownBreak = breaks == Breaks::AsLineBreaks ? QChar(QChar::ParagraphSeparator) : QChar(u' ');
    m_shown.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == kCR && i + 1 < text.size() && text[i + 1] == kLF) {
            m_pairText.push_back(i);
            m_pairShown.push_back(int(m_shown.size()));
            m_shown.append(shownBreak);
            ++i;
        } else if (c == kCR || c == kLF) {
            m_shown.append(shownBreak);
        } else {
            m_shown.append(c);
        }
    }
}

int ShownText::toShown(int textPosition) const
{
    const int p = std::clamp(textPosition, 0, int(m_text.size()));
    // Every pair that begins before p has collapsed two characters into one.
    const auto pairsBefore = std::lower_bound(m_pairText.begin(), m_pairText.end(), p) - m_pairText.begin();
    return p - int(pairsBefore);
}

int ShownText::toText(int shownPosition) const
{
    const int s = std::clamp(shownPosition, 0, int(m_shown.size()));
    const auto pairsBefore = std::lower_bound(m_pairShown.begin(), m_pairShown.end(), s) - m_pairShown.begin();
    return s + int(pairsBefore);
}

QString ShownText::textAfterEdit(int position, int removed, const QString &newShown) const
{
    const int oldLength = int(m_shown.size());
    const int from = std::clamp(position, 0, oldLength);
    const int unchangedTail = oldLength - std::clamp(from + removed, from, oldLength);
    QString inserted = newShown.mid(from, std::max(0, int(newShown.size()) - from - unchangedTail));
    inserted.replace(QChar(QChar::ParagraphSeparator), QStringLiteral("\r\n"));
    return CutAtNul(m_text.left(toText(from)) + inserted + m_text.mid(toText(oldLength - unchangedTail)));
}
