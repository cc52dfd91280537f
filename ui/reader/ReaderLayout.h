#pragma once
#include "TwipsRect.h"

// What the reader's layout starts from: the client area, the side bar's state, the check box
// "更多显示", and the heights of the controls the layout reads. All lengths in twips.
struct ReaderLayoutInput
{
    double clientWidth = 6255;
    double clientHeight = 6480;
    double barWidth = 1350;
    bool sideBarShown = true;
    bool moreShown = true;
    double cmdReadHeight = 945;
    double txtYeShuHeight = 315;
    double cmdYeShuHeight = 315;
    double cmdChaZhaoHeight = 345;
    double cmdFanHeight = 600;
    double cmdYouBianLanHeight = 600;
    double cmdlblGunDongHeight = 600;
};

// Where the layout puts the moving parts. Window controls in window coordinates; the side bar's
// forward-paging and find controls as tops inside the side bar (their left and size stay).
struct ReaderLayout
{
    TwipsRect picButton;
    TwipsRect txtTarrowin;
    TwipsRect txtChaZhao;
    TwipsRect txtGunDong;
    TwipsRect picTextXianShi;
    TwipsRect picTextGunDong;
    TwipsRect cmdFan[2];
    TwipsRect cmdYouBianLan;
    TwipsRect cmdlblGunDong;
    double cmdReadTop = 0;
    double txtYeShuTop = 0;
    double cmdYeShuTop = 0;
    double cmdChaZhaoTop = 0;
    double cmdKanDaoTop = 0;
    bool findButtonsShown = true;
};

// The arrangement of the reader window, step by step: the text two thirds high (the whole height
// without "更多显示") and as wide as the area left of the side bar (the whole width while the
// side bar is hidden), the find box under it, the measuring box and the scroll surfaces over it,
// the floating buttons centred over it, the forward-paging controls at the bottom of the side bar
// and the find buttons centred on the find box but never into the count box.
ReaderLayout ArrangeReader(const ReaderLayoutInput &input);
