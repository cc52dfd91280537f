#pragma once
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

// Volumes (卷 部 集) hold chapters; every other heading is a chapter.
enum class HeadingLevel : quint8 { Volume = 0, Chapter = 1 };

// A line found to be a heading.
struct HeadingLine
{
    QString title;
    HeadingLevel level = HeadingLevel::Chapter;
    // For a numbered heading its kind (章 回 节 卷 集 部 篇, 'C' for "Chapter") and number; a
    // heading without a number ("楔子", "后记") has kind 0.
    QChar kind;
    qint64 number = 0;
};

// The numbers met so far, so that a run-on heading is recognised by its number continuing the
// sequence of its kind.
class HeadingSequence
{
public:
    // True when `number` is one more than the last heading of `kind`, or 1 after a volume began.
    bool Continues(QChar kind, qint64 number) const;
    void Record(const HeadingLine &heading);

private:
    struct Last
    {
        qint64 number = 0;
        bool volumeSince = false;
    };
    Last *find(QChar kind);
    const Last *find(QChar kind) const;

    static constexpr int kKindCount = 9;
    std::array<Last, kKindCount> m_last{};
};

// The most characters a heading line may hold (leading blanks aside), and the most characters of
// a line that the heading test needs to see.
constexpr int kHeadingMaxChars = 40;
constexpr int kHeadingLookChars = 160;

// Whether `line` (one line of the novel without its line end) is a heading, and its title. The
// line is a heading when, after leading ASCII and ideographic blanks, it holds at most 40
// characters and is "第" + number + kind with an optional title, one of the words 序 序章 序言
// 楔子 引子 前言 尾声 后记 番外 alone or with a title, or "Chapter" + number. A longer line that
// starts with a "第" heading whose number continues `sequence` is a heading whose text ran on
// into its line; its title is cut where the text begins. `whole` is false when `line` is only
// the start of a longer line.
std::optional<HeadingLine> MatchHeadingLine(QStringView line, bool whole, const HeadingSequence &sequence);
