#pragma once
#include <QString>
#include <vector>

// Text decoded from a run of a novel's bytes, with the places of the U+FFFD characters that stand
// for one byte that did not convert. Every other U+FFFD is one the bytes themselves hold (three
// bytes in UTF-8, two in UTF-16, four in GB18030), so only this list tells how many bytes a text
// holding U+FFFD stands for.
struct DecodedText
{
    QString text;
    // Ascending indices into `text`.
    std::vector<qsizetype> unconverted;
};

// The indices of the U+FFFD characters of `text` from `from` on, ascending.
inline std::vector<qsizetype> ReplacementCharacters(const QString &text, qsizetype from = 0)
{
    std::vector<qsizetype> found;
    for (qsizetype i = text.indexOf(QChar(0xFFFD), from); i >= 0; i = text.indexOf(QChar(0xFFFD), i + 1))
        found.push_back(i);
    return found;
}
