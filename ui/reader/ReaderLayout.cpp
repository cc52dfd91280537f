#include "ReaderLayout.h"

namespace {

// Offset of the scroll surfaces from the text box's corner.
constexpr double SurfaceInset = 9;

void ArrangeSideBar(const ReaderLayoutInput &in, double barHeight, ReaderLayout &out)
{
    out.cmdReadTop = barHeight - in.cmdReadHeight - 80;
    out.txtYeShuTop = out.cmdReadTop - in.txtYeShuHeight - 10;
    out.cmdYeShuTop = out.txtYeShuTop - (in.txtYeShuHeight - in.cmdYeShuHeight) / 2;
}

void ArrangeOverText(const ReaderLayoutInput &in, ReaderLayout &out)
{
    const TwipsRect &text = out.txtTarrowin;
    out.txtGunDong = text;
    out.picTextXianShi = {text.left + SurfaceInset, text.top + SurfaceInset, text.width, text.height};
    out.picTextGunDong = out.picTextXianShi;
    const double fanWidth = text.width * 3 / 5;
    out.cmdFan[1] = {(text.width - fanWidth) / 2, 50, fanWidth, in.cmdFanHeight};
    out.cmdFan[0] = {(text.width - fanWidth) / 2, text.height - in.cmdFanHeight - 50, fanWidth, in.cmdFanHeight};
    const double sideWidth = (text.width - fanWidth) / 2 * 2 / 3;
    out.cmdYouBianLan = {out.cmdFan[0].left + fanWidth, out.cmdFan[0].top, sideWidth, in.cmdYouBianLanHeight};
    out.cmdlblGunDong = {out.cmdYouBianLan.left, out.cmdFan[1].top, sideWidth, in.cmdlblGunDongHeight};
}

void ArrangeFindButtons(const ReaderLayoutInput &in, ReaderLayout &out)
{
    const TwipsRect &find = out.txtChaZhao;
    out.cmdChaZhaoTop = find.top + (find.height - in.cmdChaZhaoHeight) / 2;
    if (out.cmdChaZhaoTop + in.cmdChaZhaoHeight > out.txtYeShuTop)
        out.cmdChaZhaoTop = out.txtYeShuTop - in.cmdChaZhaoHeight - 20;
    out.cmdKanDaoTop = out.cmdChaZhaoTop;
}

}

ReaderLayout ArrangeReader(const ReaderLayoutInput &in)
{
    ReaderLayout out;
    const double barLeft = in.clientWidth - in.barWidth;
    const double barHeight = in.clientHeight;
    out.picButton = {barLeft, 0, in.barWidth, barHeight};

    const double textWidth = in.sideBarShown ? barLeft : barLeft + in.barWidth;
    out.txtTarrowin = {0, 0, textWidth, barHeight / 3 * 2};
    const TwipsRect &text = out.txtTarrowin;
    out.txtChaZhao = {0, text.top + text.height, text.width, text.height / 2};
    ArrangeSideBar(in, barHeight, out);
    out.findButtonsShown = in.moreShown;
    if (!in.moreShown)
        out.txtTarrowin = {0, 0, text.width, barHeight};
    ArrangeOverText(in, out);
    ArrangeFindButtons(in, out);
    return out;
}
