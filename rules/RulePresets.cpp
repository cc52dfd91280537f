#include "RulePresets.h"

namespace {
// A bracketed note of the author's: a short bracket holding a word that such notes use.
const QString AuthorNote = QStringLiteral(
    "[【（(\\[][^】）)\\]\\r\\n]{0,20}(?:作者|月票|推荐票|打赏|订阅|收藏|求票|加更|PS|ps)[^】）)\\]\\r\\n]{0,30}[】）)\\]]");

TextRule Preset(const QString &name, const QString &pattern)
{
    TextRule rule;
    rule.name = name;
    rule.pattern = pattern;
    rule.isRegex = true;
    rule.scope = RuleScope::Speech;
    rule.enabled = false;
    return rule;
}
}

QVector<TextRule> PresetRules()
{
    return {
        // The whole line, with its line end: an address rarely stands in a line of the story.
        Preset(QStringLiteral("含网址的行"),
               QStringLiteral("(?m)^.*(?:https?://|[wWｗＷ]{3}[.．。]|[A-Za-z0-9-]+[.．](?:com|net|org|cn|cc|info|top|xyz|la|tw|me|co|io|vip|biz|club|site)(?![A-Za-z])).*(?:\\r?\\n)?")),
        // The notice and the rest of its sentence; the story before it on the line stays.
        Preset(QStringLiteral("网站提示"),
               QStringLiteral("(?:请记住本站域名|最新章节请访问|天才一秒记住|一秒记住|本书首发|手机用户请浏览|"
                              "请收藏本站|最快更新|无弹窗|章节错误，点此举报|加入书签|全文字更新)[^。！？\\r\\n]*[。！？]?")),
        // A paragraph that opens with a note is the note; a note at a paragraph's end goes alone.
        Preset(QStringLiteral("作者的话"),
               QStringLiteral("(?m)^[\\t \\x{3000}]*%1.*(?:\\r?\\n)?|%1[\\t \\x{3000}]*$").arg(AuthorNote)),
    };
}
