// The reader's layout: the arrangement computed in twips, applied to the controls in pixels.
#include "ReaderLayout.h"
#include "ScrollSurface.h"
#include "TextBox.h"
#include "frmRead.h"
#include "kxButtons_H.h"
#include <QCheckBox>

void frmRead::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    picButton_Resize();
}

ReaderLayoutInput frmRead::LayoutInput() const
{
    const double tpp = TwipsPerPixel();
    ReaderLayoutInput in;
    in.clientWidth = width() * tpp;
    in.clientHeight = height() * tpp;
    in.sideBarShown = mblnYouBianLan;
    in.moreShown = chkGengDuoXianShi->isChecked();
    in.cmdReadHeight = cmdRead[0]->height() * tpp;
    in.txtYeShuHeight = txtYeShu[0]->height() * tpp;
    in.cmdYeShuHeight = cmdYeShu[0]->height() * tpp;
    in.cmdChaZhaoHeight = cmdChaZhao->height() * tpp;
    return in;
}

void frmRead::picButton_Resize()
{
    const ReaderLayout layout = ArrangeReader(LayoutInput());
    const double tpp = TwipsPerPixel();
    auto place = [this](QWidget *w, const TwipsRect &r) { PlaceInTwips(w, r.left, r.top, r.width, r.height); };
    auto moveTop = [tpp](QWidget *w, double top) { w->move(w->x(), int(std::lround(top / tpp))); };

    place(picButton, layout.picButton);
    place(txtTarrowin, layout.txtTarrowin);
    PlaceStatusLine();
    txtTarrowin->raise();
    txtTarrowin->update();
    place(txtChaZhao, layout.txtChaZhao);
    moveTop(cmdRead[0], layout.cmdReadTop);
    moveTop(txtYeShu[0], layout.txtYeShuTop);
    moveTop(cmdYeShu[0], layout.cmdYeShuTop);
    place(txtGunDong, layout.txtGunDong);
    place(picTextXianShi, layout.picTextXianShi);
    m_xianShiHeight = layout.picTextXianShi.height;
    place(picTextGunDong, layout.picTextGunDong);
    SetGunDongHeight(layout.picTextGunDong.height);
    for (int i = 0; i < 2; ++i)
        place(cmdFan[i], layout.cmdFan[i]);
    place(cmdYouBianLan, layout.cmdYouBianLan);
    place(cmdlblGunDong, layout.cmdlblGunDong);
    moveTop(cmdChaZhao, layout.cmdChaZhaoTop);
    moveTop(cmdKanDao, layout.cmdKanDaoTop);
    cmdChaZhao->setVisible(layout.findButtonsShown);
    cmdKanDao->setVisible(layout.findButtonsShown);
    MeasureChunkSize();
    // The page box has a new size: the page is cut again from the same first character, so that
    // a smaller box skips no text and a larger one is filled.
    LayOutPageAgain();
}
