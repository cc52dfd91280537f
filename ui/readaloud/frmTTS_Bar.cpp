// The read-aloud window's bar beyond its original controls: the rows added to it flow into the
// room that the search and home-page buttons leave, and the window opens large enough for all of
// them; its tab order follows the eye.
#include "ReadAloudBarFlow.h"
#include "ReadAloudDesign.h"
#include "StatusLine.h"
#include "TextBox.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <cmath>

using namespace ReadAloudDesign;

namespace {
// The widest caption the sleep timer's button shows while it counts down.
const QString kWidestTimerCaption = QStringLiteral("定时 888:88");
// Where the added rows may begin: below the piece-length row, the last of the original rows.
constexpr double kFirstAddedTop = 1950 + 60;
// Room kept free at the bar's bottom.
constexpr double kBottomMargin = 60;
// The narrowest the text boxes left of the bar become.
constexpr double kSmallestBoxWidth = kBarWidth;
}

std::vector<std::vector<QWidget *>> frmTTS::AddedRows() const
{
    return {{cmdDaoChu, cmdDingShi},
            {cmdShangYiZhang, cmdMuLu, cmdXiaYiZhang},
            {cmdDaKai, cmdZuiJin},
            {lblBianMa, cboBianMa},
            {cmdBianTingBianKan}};
}

// How wide a control of an added row must be: a button as its caption needs on one line (the
// sleep timer's as its widest count-down does), the encoding's caption and choice as they need.
static double NeededWidth(const QWidget *w, double tpp)
{
    if (const auto *button = qobject_cast<const kxButtons_H *>(w)) {
        double pixels = button->OneLineCaptionWidth();
        if (button->objectName() == QLatin1String("cmdDingShi"))
            pixels += std::max(0, button->fontMetrics().horizontalAdvance(kWidestTimerCaption)
                                      - button->fontMetrics().horizontalAdvance(button->Caption()));
        return pixels * tpp;
    }
    if (qobject_cast<const QLabel *>(w))
        return w->sizeHint().width() * tpp;
    return w->minimumSizeHint().width() * tpp;
}

static BarFlowInput FlowInput(const std::vector<std::vector<QWidget *>> &rows, const ReadAloudLayout &layout,
                              double barHeight, double tpp)
{
    BarFlowInput in;
    in.barHeight = barHeight - kBottomMargin;
    in.firstTop = kFirstAddedTop;
    in.row = kExportRow;
    in.busy = {layout.cmdChaZhao, layout.cmdHomePage};
    for (const std::vector<QWidget *> &row : rows) {
        BarRow flowed;
        flowed.height = row.front()->height() * tpp; // as designed
        flowed.gap = row.size() == 3 ? kThirdGap : kColumnGap;
        for (const QWidget *w : row)
            flowed.needed.push_back(NeededWidth(w, tpp));
        in.rows.push_back(flowed);
    }
    return in;
}

void frmTTS::FlowAddedRows(const ReadAloudLayout &layout, double barHeight)
{
    const std::vector<std::vector<QWidget *>> rows = AddedRows();
    const auto places = FlowBarRows(FlowInput(rows, layout, barHeight, twipsPerPixel()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = 0; j < rows[i].size(); ++j) {
            QWidget *w = rows[i][j];
            w->setVisible(!places[i].empty());
            if (!places[i].empty())
                place(w, places[i][j]);
        }
    }
    FollowTheEyeInTabOrder();
}

// Its edges are rounded to pixels, so that boxes stacked edge to edge neither overlap nor part.
void frmTTS::placeLeft(QWidget *w, const TwipsRect &r) const
{
    const double tpp = twipsPerPixel();
    const auto pixels = [tpp](double twips) { return int(std::lround(twips / tpp)); };
    const int top = picButton->y() + pixels(r.top);
    w->setGeometry(pixels(r.left), top, pixels(r.right()) - pixels(r.left), picButton->y() + pixels(r.bottom()) - top);
}

// The smallest size shows every original control clear of the moving buttons; the window opens
// at its design size, or larger where that is needed for every added row to have its place. The
// menu bar and a status line take their own room above and below.
void frmTTS::SizeToShowEverything()
{
    const double tpp = twipsPerPixel();
    ReadAloudLayoutInput in;
    in.barLeft = kClientWidth - kBarWidth;
    in.cmdChaZhao = twips(cmdChaZhao);
    in.cmdChongTou = twips(cmdChongTou);
    in.cmdHomePage = twips(cmdHomePage);
    in.picLangDuWenJian = twips(picLangDuWenJian);
    in.filLangDuWenJian = twips(filLangDuWenJian);
    const auto arranged = [in](double height) {
        ReadAloudLayoutInput at = in;
        at.barHeight = height;
        return ArrangeReadAloud(at);
    };
    const double smallest = SmallestBarHeight(0, 20000, 15, [&](double height) {
        const ReadAloudLayout out = arranged(height);
        return out.cmdChaZhao.top >= kFirstAddedTop && out.cmdHomePage.top >= out.cmdChaZhao.bottom() + 60
            && out.cmdHomePage.bottom() <= height;
    });
    const std::vector<std::vector<QWidget *>> rows = AddedRows();
    const double showingAll = SmallestBarHeight(smallest, 20000, 15, [&](double height) {
        const auto places = FlowBarRows(FlowInput(rows, arranged(height), height, tpp));
        return std::none_of(places.begin(), places.end(), [](const auto &row) { return row.empty(); });
    });
    const int statusLine = std::max(lblZhuangTai->sizeHint().height(), lblZhuangTai->fontMetrics().height() + 2);
    const int around = m_menuBar->sizeHint().height() + statusLine;
    const int narrowest = std::max(int(std::lround((kSmallestBoxWidth + kBarWidth) / tpp)),
                                   m_menuBar->sizeHint().width());
    setMinimumSize(narrowest, int(std::ceil(smallest / tpp)) + around);
    resize(std::max(narrowest, int(std::lround(kClientWidth / tpp))),
           std::max(int(std::lround(kClientHeight / tpp)), int(std::ceil(showingAll / tpp)) + around));
}

// The text boxes top down, then the bar's controls row by row, left to right, as they stand.
void frmTTS::FollowTheEyeInTabOrder()
{
    std::vector<QWidget *> bar;
    for (QObject *child : picButton->children())
        if (auto *w = qobject_cast<QWidget *>(child); w && !w->isHidden() && (w->focusPolicy() & Qt::TabFocus))
            bar.push_back(w);
    std::stable_sort(bar.begin(), bar.end(), [](const QWidget *a, const QWidget *b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    QWidget *previous = filLangDuWenJian;
    for (QWidget *w : {static_cast<QWidget *>(txtLangDu), static_cast<QWidget *>(txtTTS),
                       static_cast<QWidget *>(txtChaZhao), static_cast<QWidget *>(txtFilePathName)}) {
        setTabOrder(previous, w);
        previous = w;
    }
    for (QWidget *w : bar) {
        setTabOrder(previous, w);
        previous = w;
    }
}
