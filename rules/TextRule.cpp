#include "TextRule.h"

QString ScopeText(RuleScope scope)
{
    return scope == RuleScope::Speech ? QStringLiteral("朗读") : QStringLiteral("朗读和显示");
}
