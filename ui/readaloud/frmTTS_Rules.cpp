#include "ReadingSession.h"
#include "RuleFile.h"
#include "RulesDialog.h"
#include "frmTTS.h"
#include <QAction>

// "净化规则…" (设置 menu, Ctrl+J): the listener's text rules, tried on the piece being read.
void frmTTS::createRulesAction()
{
    auto *action = new QAction(QStringLiteral("净化规则…"), this);
    action->setObjectName(QStringLiteral("actRules"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    connect(action, &QAction::triggered, this, &frmTTS::cmdJingHua_Click);
    addAction(action);
}

void frmTTS::cmdJingHua_Click()
{
    const RuleBookFiles files{ListenerRulesFilePath(), m_session->sideFilePath(NovelRulesSuffix),
                              m_session->sideFileToRead(NovelRulesSuffix)};
    RulesDialog dialog(files, m_session->current().text, this);
    dialog.exec();
}
