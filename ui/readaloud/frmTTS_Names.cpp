// The read-aloud window as a screen reader meets it: a Chinese name for each control, its caption
// or what it holds, never the name the program knows it by.
#include "FormAccessible.h"
#include "HomePage.h"
#include "frmTTS.h"
#include <QLabel>

void frmTTS::NameControlsForScreenReaders()
{
    FormAccessible::NameControls(this, {{"txtFilePathName", QStringLiteral("要朗读的文件")},
                                        {"filLangDuWenJian", QStringLiteral("选择要朗读的文件")},
                                        {"txtFenChangDu", QStringLiteral("每次读取的字节数")},
                                        {"cmdHomePage", QStringLiteral("主页")},
                                        {"picButton", QStringLiteral("按钮栏")},
                                        {"mnuCaiDan", QStringLiteral("菜单栏")}});
    FormAccessible::NameWithValue(lblLangDuBiLi, QStringLiteral("已经朗读"));
}
