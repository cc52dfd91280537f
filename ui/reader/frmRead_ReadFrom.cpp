// "从这里朗读" in the reader's pop-up menu: the read-aloud side speaks from the sentence that
// holds the place on the page (the selection's start, or the character under the pointer where
// the menu was asked for), and the reader follows the voice from there.
#include "ReadAloudSide.h"
#include "TextBox.h"
#include "TextCodec.h"
#include "TextStart.h"
#include "frmRead.h"
#include <QAction>
#include <QMenu>
#include <algorithm>

void frmRead::CreateReadFromHere()
{
    mnuCongZheLiLangDu = mnuTanChu->addAction(QStringLiteral("从这里朗读"));
    mnuCongZheLiLangDu->setObjectName(QStringLiteral("mnuCongZheLiLangDu"));
    connect(mnuCongZheLiLangDu, &QAction::triggered, this, &frmRead::mnuCongZheLiLangDu_Click);
}

void frmRead::mnuCongZheLiLangDu_Click()
{
    const QString page = txtTarrowin->Text();
    if (page.isEmpty())
        return;
    const int index = txtTarrowin->SelLength() > 0
                          ? txtTarrowin->SelStart()
                          : txtTarrowin->TextIndexAt(txtTarrowin->viewport()->mapFromGlobal(m_popUpAt));
    const Novel novel = CurrentNovel();
    const BytePos start = PageStart();
    const DecodedText read = TextReadAt(novel, start, page);
    m_tts->readFrom(start + TextCodec::ByteLength(novel.encoding, read, 0, std::clamp<qsizetype>(index, 0, page.size())));
}
