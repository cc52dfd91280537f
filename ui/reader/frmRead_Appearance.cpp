// The reader's appearance (colours and font of the page box and its mirrors), the side bar and
// the pop-up menu with its reading item, and the floating buttons that follow the pointer.
#include "ListenerReadings.h"
#include "ListenerReadingsEdit.h"
#include "MandarinDictionary.h"
#include "ProgramFolder.h"
#include "ReadAloudSide.h"
#include "ReadingDialog.h"
#include "ScrollSurface.h"
#include "TextBox.h"
#include "frmRead.h"
#include "kxButtons_H.h"
#include "kxColour.h"
#include <QCheckBox>
#include <QMenu>

namespace {

QColor ShownColour(OleColor colour, const QPalette &palette)
{
    return kxColour::toQColor(kxColour::TranslateColour(colour, palette));
}

void CopyFace(const QFont &from, QWidget *to)
{
    QFont font = to->font();
    font.setFamily(from.family());
    font.setPointSizeF(from.pointSizeF());
    to->setFont(font);
}

void ShowInFront(QWidget *widget, bool show)
{
    if (show) {
        widget->raise();
        widget->show();
    } else {
        widget->hide();
    }
}

}

void frmRead::setTextColour(OleColor colour)
{
    m_textColour = colour;
    QPalette palette = txtTarrowin->palette();
    palette.setColor(QPalette::Text, ShownColour(colour, palette));
    txtTarrowin->setPalette(palette);
}

void frmRead::setBackgroundColour(OleColor colour)
{
    m_backgroundColour = colour;
    QPalette palette = txtTarrowin->palette();
    palette.setColor(QPalette::Base, ShownColour(colour, palette));
    txtTarrowin->setPalette(palette);
}

void frmRead::ApplyTextAppearance()
{
    const QFont font = txtTarrowin->font();
    for (QWidget *mirror : {static_cast<QWidget *>(txtGunDong), static_cast<QWidget *>(picTextXianShi),
                            static_cast<QWidget *>(picTextGunDong)})
        CopyFace(font, mirror);
    const QColor text = txtTarrowin->palette().color(QPalette::Text);
    const QColor back = txtTarrowin->palette().color(QPalette::Base);
    for (ScrollSurface *surface : {picTextXianShi, picTextGunDong}) {
        surface->setForeColor(text);
        surface->setBackColor(back);
    }
    QPalette line = linGunDong->palette();
    line.setColor(QPalette::Window, text);
    linGunDong->setPalette(line);
}

void frmRead::ShowPopUpMenu(const QPoint &globalPosition)
{
    if (mnuTanChu->isVisible())
        return;
    m_popUpAt = globalPosition;
    // The edit items of the last pop-up go with their menu; fresh ones know the selection now.
    delete m_editMenu;
    m_editMenu = txtTarrowin->createStandardContextMenu(txtTarrowin->viewport()->mapFromGlobal(globalPosition));
    mnuTanChu->insertActions(m_editSeparator, m_editMenu->actions());
    mnuSheZhiDuYin->setEnabled(CanSetReading());
    mnuTanChu->popup(globalPosition);
}

bool frmRead::CanSetReading() const
{
    return MandarinDictionary::shared() && IsChineseWord(txtTarrowin->SelText());
}

// The dialog opens over the window and closes itself; the window goes on meanwhile.
void frmRead::mnuSheZhiDuYin_Click()
{
    if (!CanSetReading())
        return;
    const QString novel = m_tts->novelName();
    const ReadingFiles files{ListenerReadingsFilePath(), SideFilePath(novel, NovelReadingsSuffix),
                             SideFileToRead(novel, NovelReadingsSuffix)};
    auto *dialog = new ReadingDialog(txtTarrowin->Text(), txtTarrowin->SelStart(), txtTarrowin->SelLength(), files,
                                     *MandarinDictionary::shared(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void frmRead::mnuWenZi_Click()
{
    const std::optional<QColor> chosen = m_colourChooser(this);
    if (!chosen)
        return;
    setTextColour(kxColour::fromQColor(*chosen));
    ApplyTextAppearance();
}

void frmRead::mnuBeiJing_Click()
{
    const std::optional<QColor> chosen = m_colourChooser(this);
    if (!chosen)
        return;
    setBackgroundColour(kxColour::fromQColor(*chosen));
    ApplyTextAppearance();
}

void frmRead::mnuZiTiZiHao_Click()
{
    const std::optional<QFont> chosen = m_fontChooser(this, txtTarrowin->font());
    if (!chosen || chosen->pointSizeF() <= 0)
        return;
    QFont font = txtTarrowin->font();
    font.setPointSizeF(chosen->pointSizeF());
    font.setFamily(chosen->family());
    txtTarrowin->setFont(font);
    Settings().Write(QStringLiteral("ZITI"), font.family());
    Settings().Write(QStringLiteral("ZIHAO"), QString::number(font.pointSizeF()));
    ApplyTextAppearance();
    MeasureChunkSize();
    LayOutPageAgain();
}

void frmRead::mnuYouBianXianShi_Click()
{
    mblnYouBianLan = true;
    picButton_Resize();
}

void frmRead::mnuYouBianYinCang_Click()
{
    mblnYouBianLan = false;
    picButton_Resize();
}

void frmRead::cmdYouBianLan_Click()
{
    if (cmdYouBianLan->Caption().contains(QStringLiteral("显"))) {
        cmdYouBianLan->setCaption(QStringLiteral("隐"));
        mnuYouBianXianShi_Click();
        return;
    }
    chkGengDuoXianShi->setChecked(false);
    cmdYouBianLan->setCaption(QStringLiteral("显"));
    mnuYouBianYinCang_Click();
}

void frmRead::chkGengDuoXianShi_Click()
{
    picButton_Resize();
}

// `position` in pixels inside the page box, which lies at the window's top left corner, so the
// floating buttons' places compare directly.
void frmRead::txtTarrowin_MouseMove(QPoint position)
{
    const int x = position.x();
    const int y = position.y();
    const QRect side = cmdYouBianLan->geometry();
    ShowInFront(cmdYouBianLan, y > side.top() && x > side.left());
    if (mblnYouBianLan)
        return;
    const QRect up = cmdFan[1]->geometry();
    ShowInFront(cmdFan[1], up.top() < y && y < up.top() + up.height());
    const QRect down = cmdFan[0]->geometry();
    ShowInFront(cmdFan[0], down.top() < y && y < down.top() + down.height() && x < down.left() + down.width());
}
