#pragma once
#include "TextRule.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The rule files: a UTF-8 JSON array of rules, each an object with the fields name, pattern,
// replacement, isRegex, isEnabled, scope ("朗读" or "朗读和显示") and order, the same array that
// the rule files listeners share hold, so that such a file reads here and a file exported from
// here reads wherever those do. Fields of other names are ignored.

// "<XDG config folder>/tarrowin/rules.json": the listener's rules, for every novel.
QString ListenerRulesFilePath();
// The side file of a novel that holds the rules for that novel alone.
inline const QString NovelRulesSuffix = QStringLiteral(".jinghua");
// The files a novel is read with: the listener's, then the novel's (the side file's path).
QStringList TextRuleFiles(const QString &novelRulesPath);

// The rules of a rule array, and one line for each entry refused, with its reason; nothing when
// `json` is no JSON array. An entry without a scope changes the page as well, as shared rules
// do; one with a scope of a name unknown here is taken in turned off, and said in `notes`. With
// `checkPatterns` an expression that does not compile is refused, else it is kept (the rules
// turn it off when applied).
struct ParsedRules
{
    QVector<TextRule> rules;
    QStringList refused;
    QStringList notes;
};
std::optional<ParsedRules> ParseRules(const QByteArray &json, bool checkPatterns);
QByteArray RulesJson(const QVector<TextRule> &rules);

// The rules kept in the file at `path`, marked `novelOnly`; none for a file that is not there.
// A file that cannot be read, or is not a rule array, gives its reason in `fault`.
struct RuleFileContent
{
    QVector<TextRule> rules;
    QString fault;
    // False when the file is there but could not be read whole (no rule list, or entries
    // refused): writing it would lose what it holds.
    bool read = true;
};
RuleFileContent ReadRuleFile(const QString &path, bool novelOnly);
// Makes the file at `path` hold `rules` (its folder made when missing), whole or not at all.
bool WriteRuleFile(const QString &path, const QVector<TextRule> &rules);

// Adds `imported` behind `own`, their order kept, numbered on after the last of `own`.
QVector<TextRule> JoinRules(QVector<TextRule> own, const QVector<TextRule> &imported);
