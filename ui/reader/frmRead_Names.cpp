// The reader as a screen reader meets it: its title ("原文 - 小说名 - 章名", the chapter that of
// the page shown) and a Chinese name for each control.
#include "ChapterLoader.h"
#include "FormAccessible.h"
#include "ReadAloudSide.h"
#include "ScrollSurface.h"
#include "TextBox.h"
#include "WindowTitle.h"
#include "frmRead.h"
#include <QLabel>

void frmRead::FollowChapterInTitle()
{
    connect(txtTarrowin, &TextBox::Change, this, &frmRead::ShowChapterInTitle);
    connect(m_chapters, &ChapterLoader::Ready, this, &frmRead::ShowChapterInTitle);
}

void frmRead::ShowChapterInTitle()
{
    const bool known = m_chapters->IsReady() && m_chapters->Requested() == CurrentNovel();
    setWindowTitle(ReaderTitle(m_tts->novelName(), known ? m_chapters->Chapters().titleAt(PageStart()) : QString()));
}

void frmRead::NameControlsForScreenReaders()
{
    FormAccessible::NameControls(this, {{"txtTarrowin", QStringLiteral("原文")},
                                        {"txtChaZhao", QStringLiteral("要查找的内容")},
                                        {"txtYeShu1", QStringLiteral("向前翻的页数")},
                                        {"txtYeShu0", QStringLiteral("向下翻的页数")},
                                        {"picTextXianShi", QStringLiteral("滚动中的原文")},
                                        {"picTextGunDong", QStringLiteral("滚动进来的原文")},
                                        {"picButton", QStringLiteral("右边栏")}});
    FormAccessible::NameWithValue(findChild<QLabel *>(QStringLiteral("lblLangDuBiLi")), QStringLiteral("已读"));
    FormAccessible::NameWithValue(findChild<QLabel *>(QStringLiteral("lblGunDong")), QStringLiteral("滚动速度"));
    FormAccessible::HideFromAssistiveTools(findChild<QWidget *>(QStringLiteral("linGunDong")));
}
