#include "ReadAloudLayout.h"
#include <algorithm>

namespace {
// The top that centres a control of `height` beside `box`.
double CentredBeside(const TwipsRect &box, double height)
{
    return box.top + (box.height - height) / 2;
}

// How far the file list's backdrop shows beyond the list, to the left and below.
constexpr double kShadow = 50;
}

ReadAloudLayout ArrangeReadAloud(const ReadAloudLayoutInput &in)
{
    ReadAloudLayout out;
    out.txtLangDu = {0, 0, in.barLeft, in.barHeight / 4};
    const double unit = out.txtLangDu.height;
    out.txtTTS = {0, out.txtLangDu.bottom(), out.txtLangDu.width, unit};
    out.txtChaZhao = {0, out.txtTTS.bottom(), out.txtTTS.width, 1.5 * unit};
    out.txtFilePathName = {0, out.txtChaZhao.bottom(), out.txtChaZhao.width, 0.5 * unit};

    out.cmdChaZhao = in.cmdChaZhao;
    out.cmdChaZhao.top = CentredBeside(out.txtChaZhao, in.cmdChaZhao.height);
    out.cmdChongTou = in.cmdChongTou;
    out.cmdChongTou.top = CentredBeside(out.txtFilePathName, in.cmdChongTou.height);
    out.cmdHomePage = in.cmdHomePage;
    out.cmdHomePage.left = out.cmdChongTou.left;
    out.cmdHomePage.top = CentredBeside(out.txtFilePathName, in.cmdHomePage.height);

    const double listWidth = out.txtFilePathName.width / 2;
    out.picLangDuWenJian = {0, out.txtFilePathName.top - in.filLangDuWenJian.height, listWidth,
                            in.picLangDuWenJian.height};
    out.filLangDuWenJian = {out.picLangDuWenJian.left + kShadow, out.picLangDuWenJian.top - kShadow, listWidth,
                            in.filLangDuWenJian.height};
    return out;
}

std::vector<TwipsRect> ShareRow(const TwipsRect &row, double gap, const std::vector<double> &needed)
{
    std::vector<TwipsRect> out;
    if (needed.empty())
        return out;
    const double room = row.width - gap * double(needed.size() - 1);
    double total = 0;
    for (double width : needed)
        total += std::max(width, 0.0);
    const double spare = room - total;
    double left = row.left;
    for (double width : needed) {
        width = std::max(width, 0.0);
        const double share = spare >= 0 ? width + spare / double(needed.size())
                                         : (total > 0 ? room * width / total : room / double(needed.size()));
        out.push_back({left, row.top, share, row.height});
        left += share + gap;
    }
    return out;
}

bool ShownBesideSearchButton(const TwipsRect &control, const TwipsRect &cmdChaZhao)
{
    return control.bottom() <= cmdChaZhao.top;
}
