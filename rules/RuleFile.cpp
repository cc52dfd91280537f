#include "RuleFile.h"
#include "ReplaceFile.h"
#include "TextRules.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <algorithm>

namespace {
// A field that must be a boolean when present.
std::optional<bool> BoolField(const QJsonObject &entry, const QString &key, bool absent)
{
    const QJsonValue value = entry.value(key);
    if (value.isUndefined() || value.isNull())
        return absent;
    if (!value.isBool())
        return std::nullopt;
    return value.toBool();
}

// The entry as a rule, or in `why` the reason it is refused.
std::optional<TextRule> ReadEntry(const QJsonValue &value, int index, QString *why, QStringList *notes)
{
    const QJsonObject entry = value.toObject();
    if (!value.isObject()) {
        *why = QStringLiteral("不是一条规则");
        return std::nullopt;
    }
    TextRule rule;
    rule.pattern = entry.value(u"pattern").toString();
    rule.name = entry.value(u"name").toString(rule.pattern);
    rule.replacement = entry.value(u"replacement").toString();
    rule.order = entry.value(u"order").toInt(index);
    const std::optional<bool> isRegex = BoolField(entry, QStringLiteral("isRegex"), false);
    const std::optional<bool> enabled = BoolField(entry, QStringLiteral("isEnabled"), true);
    const QJsonValue replacement = entry.value(u"replacement");
    if (!entry.value(u"pattern").isString() || rule.pattern.isEmpty())
        *why = QStringLiteral("没有查找内容");
    else if (!replacement.isUndefined() && !replacement.isNull() && !replacement.isString())
        *why = QStringLiteral("替换内容不是文字");
    else if (!isRegex || !enabled)
        *why = QStringLiteral("isRegex 或 isEnabled 不是 true/false");
    if (!why->isEmpty())
        return std::nullopt;
    rule.isRegex = *isRegex;
    rule.enabled = *enabled;
    const QString scope = entry.value(u"scope").toString();
    rule.scope = scope == ScopeText(RuleScope::Speech) ? RuleScope::Speech : RuleScope::SpeechAndPage;
    if (!scope.isEmpty() && scope != ScopeText(RuleScope::Speech) && scope != ScopeText(RuleScope::SpeechAndPage)) {
        rule.enabled = false;
        notes->append(QStringLiteral("第 %1 条“%2”：范围“%3”在这里没有对应，已关闭").arg(index + 1).arg(rule.name, scope));
    }
    return rule;
}
}

QString ListenerRulesFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/tarrowin/rules.json"_qs;
}

QStringList TextRuleFiles(const QString &novelRulesPath)
{
    QStringList files{ListenerRulesFilePath()};
    if (!novelRulesPath.isEmpty())
        files.append(novelRulesPath);
    return files;
}

std::optional<ParsedRules> ParseRules(const QByteArray &json, bool checkPatterns)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    ParsedRules parsed;
    const QJsonArray entries = document.array();
    for (int i = 0; i < int(entries.size()); ++i) {
        QString why;
        std::optional<TextRule> rule = ReadEntry(entries[i], i, &why, &parsed.notes);
        if (rule && checkPatterns)
            why = PatternFault(*rule);
        if (rule && why.isEmpty()) {
            parsed.rules.append(*rule);
            continue;
        }
        const QString name = entries[i].toObject().value(u"name").toString();
        parsed.refused.append(QStringLiteral("第 %1 条%2：%3").arg(i + 1)
                                  .arg(name.isEmpty() ? QString() : QStringLiteral("“%1”").arg(name), why));
    }
    return parsed;
}

QByteArray RulesJson(const QVector<TextRule> &rules)
{
    QJsonArray entries;
    for (const TextRule &rule : rules) {
        entries.append(QJsonObject{{u"name"_qs, rule.name},
                                   {u"pattern"_qs, rule.pattern},
                                   {u"replacement"_qs, rule.replacement},
                                   {u"isRegex"_qs, rule.isRegex},
                                   {u"isEnabled"_qs, rule.enabled},
                                   {u"scope"_qs, ScopeText(rule.scope)},
                                   {u"order"_qs, rule.order}});
    }
    return QJsonDocument(entries).toJson(QJsonDocument::Indented);
}

RuleFileContent ReadRuleFile(const QString &path, bool novelOnly)
{
    RuleFileContent content;
    QFile file(path);
    if (!file.exists())
        return content;
    const QString name = QFileInfo(path).fileName();
    if (!file.open(QIODevice::ReadOnly)) {
        content.fault = QStringLiteral("净化规则文件 %1 无法读取").arg(name);
        content.read = false;
        return content;
    }
    const std::optional<ParsedRules> parsed = ParseRules(file.readAll(), false);
    if (!parsed) {
        content.fault = QStringLiteral("净化规则文件 %1 不是规则列表").arg(name);
        content.read = false;
        return content;
    }
    content.rules = parsed->rules;
    for (TextRule &rule : content.rules)
        rule.novelOnly = novelOnly;
    if (!parsed->refused.isEmpty()) {
        content.fault = QStringLiteral("净化规则文件 %1 %2").arg(name, parsed->refused.join(u'；'));
        content.read = false;
    }
    return content;
}

bool WriteRuleFile(const QString &path, const QVector<TextRule> &rules)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ReplaceFile(path, RulesJson(rules));
}

QVector<TextRule> JoinRules(QVector<TextRule> own, const QVector<TextRule> &imported)
{
    int next = 0;
    for (const TextRule &rule : own)
        next = std::max(next, rule.order + 1);
    QVector<TextRule> added = imported;
    std::stable_sort(added.begin(), added.end(), [](const TextRule &a, const TextRule &b) { return a.order < b.order; });
    for (TextRule &rule : added) {
        rule.order = next++;
        own.append(rule);
    }
    return own;
}
