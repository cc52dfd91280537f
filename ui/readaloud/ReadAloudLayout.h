#pragma once
#include "TwipsRect.h"
#include <vector>

// What the arrangement starts from: the size of the area left of the button bar (W = the bar's
// left edge, H = the bar's height) and the current places of the controls it moves.
struct ReadAloudLayoutInput
{
    double barLeft = 0;
    double barHeight = 0;
    TwipsRect cmdChaZhao;
    TwipsRect cmdChongTou;
    TwipsRect cmdHomePage;
    TwipsRect picLangDuWenJian;
    TwipsRect filLangDuWenJian;
};

// The places the arrangement gives. The four text boxes share the height in the ratio
// 2 : 2 : 3 : 1; three buttons of the bar are centred beside the boxes they serve; the file list
// lies just above the file-name box, half as wide, with its backdrop showing as a shadow.
struct ReadAloudLayout
{
    TwipsRect txtLangDu;
    TwipsRect txtTTS;
    TwipsRect txtChaZhao;
    TwipsRect txtFilePathName;
    TwipsRect cmdChaZhao;
    TwipsRect cmdChongTou;
    TwipsRect cmdHomePage;
    TwipsRect picLangDuWenJian;
    TwipsRect filLangDuWenJian;
};

ReadAloudLayout ArrangeReadAloud(const ReadAloudLayoutInput &input);

// A row of the bar cut into buttons side by side, `gap` apart, from the row's left edge to its
// right: each as wide as its caption needs (`needed`), and what the row holds beyond that shared
// equally, so that a caption that fits the row stands on one line. A row too narrow for all of
// them is shared in proportion to what each needs.
std::vector<TwipsRect> ShareRow(const TwipsRect &row, double gap, const std::vector<double> &needed);

// The visibility rule for the bar's plain controls: shown unless their bottom lies lower than the
// top of the search button.
bool ShownBesideSearchButton(const TwipsRect &control, const TwipsRect &cmdChaZhao);
