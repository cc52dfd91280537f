// The reader's page engine wired to its controls: page turns, count presets, find and the
// side files.
#include "BoxMeasure.h"
#include "ChunkSize.h"
#include "FindInTextFile.h"
#include "KeptPlace.h"
#include "NumericText.h"
#include "PageEngine.h"
#include "PageTurn.h"
#include "PercentageRead.h"
#include "ProgramFolder.h"
#include "SideFileWriter.h"
#include "TextBox.h"
#include "frmRead.h"
#include "ReadAloudSide.h"
#include "kxButtons_H.h"
#include "mdlFileBinText.h"
#include <QLabel>
#include <cstdlib>

namespace {

QString PresetKey(int index)
{
    return QStringLiteral("QIANFANYESHU") + QString::number(index);
}

// The window's controls as a page turn sees them.
class WindowPageTurn : public PageTurnTarget
{
public:
    WindowPageTurn(frmRead &window, TextLayoutMeasure &measure) : m_window(window), m_measure(measure) {}

    QString CountText(int index) const override { return m_window.txtYeShu[index]->Text(); }
    void SetCountText(int index, const QString &text) override { m_window.txtYeShu[index]->setText(text); }
    QString PageText() const override { return m_window.txtTarrowin->Text(); }
    void SetPageText(const QString &text) override { m_window.txtTarrowin->setText(text); }
    QString PositionText() const override { return m_window.txtWeiZhi->Text(); }
    void SetPositionText(const QString &text) override { m_window.txtWeiZhi->setText(text); }
    QString NextPage() override { return m_window.GetNextPage(); }
    QString PrevPage(const QString &shownText) override
    {
        BytePos position(NumericValue(m_window.txtWeiZhi->Text()));
        const QString page = PageEngine::PrevPage(m_measure, m_window.CurrentNovel(), position,
                                                  NumericValue(m_window.txtFenChangDu->Text()), shownText);
        m_window.txtWeiZhi->setText(QString::number(position.value()));
        return page;
    }

private:
    frmRead &m_window;
    TextLayoutMeasure &m_measure;
};

}

bool frmRead::TextOverflows(const TextBox *box) const
{
    return box->NeedsMoreLines();
}

void frmRead::MeasureChunkSize()
{
    TextLayoutMeasure measure(MeasureBoxOf(*txtGunDong));
    txtFenChangDu->setText(QString::number(ChunkSize::Measure(measure, CurrentNovel().encoding)));
}

QString frmRead::GetNextPage()
{
    TextLayoutMeasure measure(MeasureBoxOf(*txtGunDong));
    BytePos position(NumericValue(txtWeiZhi->Text()));
    const QString page = PageEngine::NextPage(measure, CurrentNovel(), position, NumericValue(txtFenChangDu->Text()));
    txtWeiZhi->setText(QString::number(position.value()));
    return page;
}

QString frmRead::GetPrevPage(const QString &shownText)
{
    TextLayoutMeasure measure(MeasureBoxOf(*txtGunDong));
    return WindowPageTurn(*this, measure).PrevPage(shownText);
}

void frmRead::cmdRead_Click(int index)
{
    cmdRead[index]->setEnabled(false);
    TextLayoutMeasure measure(MeasureBoxOf(*txtGunDong));
    WindowPageTurn turn(*this, measure);
    TurnPages(turn, index);
    cmdRead[index]->setEnabled(true);
    picButton->setFocus();
}

void frmRead::LayOutPageAgain()
{
    if (txtTarrowin->Text().isEmpty())
        return;
    TextLayoutMeasure measure(MeasureBoxOf(*txtGunDong));
    BytePos position(NumericValue(txtWeiZhi->Text()));
    const QString page = PageEngine::PageAgain(measure, CurrentNovel(), position,
                                               NumericValue(txtFenChangDu->Text()), txtTarrowin->Text());
    // A box too small for one line keeps the page it had until it grows again.
    if (page.isEmpty() || (page == txtTarrowin->Text() && position.value() == NumericValue(txtWeiZhi->Text())))
        return;
    // Following the voice, the page cut again is the follower's page from now on, with the word
    // still marked when it is still on it; the page box did not change by hand.
    m_followerShowing = m_following;
    txtWeiZhi->setText(QString::number(position.value()));
    txtTarrowin->setText(page);
    m_followerShowing = false;
    if (m_following && m_follower) {
        m_follower->setShownPage(position, page);
        ShowMark(m_mark && m_mark->offset + m_mark->length <= page.size() ? m_mark : std::nullopt);
    }
}

void frmRead::TurnPagesByWheel(int angleDelta)
{
    const int notches = m_wheelTurns.Add(angleDelta);
    TextLayoutMeasure measure(MeasureBoxOf(*txtGunDong));
    WindowPageTurn turn(*this, measure);
    for (int i = 0; i < std::abs(notches); ++i)
        TurnOnePage(turn, notches > 0 ? 1 : 0);
}

void frmRead::cmdFan_Click(int index)
{
    cmdRead_Click(index);
}

void frmRead::cmdYeShu_Click(int index)
{
    Settings().Write(PresetKey(index), QString::number(NumericValue(txtYeShu[index]->Text())));
}

void frmRead::txtYeShu_DblClick(int index)
{
    txtYeShu[index]->setText(QString::number(Settings().ReadInteger(PresetKey(index), 50)));
}

// The page shown becomes the place; a page box emptied (by hand) never does.
void frmRead::txtTarrowin_Change()
{
    txtTarrowin->setSelStart(1);
    if (!txtTarrowin->Text().isEmpty())
        txtChaZhao->setText(txtTarrowin->Text());
}

void frmRead::txtWeiZhi_Change()
{
    const auto percentage = PercentageRead(TextFilePath(), BytePos(NumericValue(txtWeiZhi->Text())));
    if (!percentage)
        return;
    lblLangDuBiLi->setText(*percentage);
    lblLangDuBiLi->adjustSize();
}

void frmRead::cmdChaZhao_Click()
{
    const std::optional<BytePos> found = FindInTextFile(CurrentNovel(), txtChaZhao->Text());
    if (found)
        ShowPageAt(*found);
}

// Beside the voice, the read-aloud window keeps the place: the page shown does not move it. An
// emptied search box is no place: the side file keeps the one it holds.
void frmRead::txtChaZhao_Change()
{
    if (m_followAlong || txtChaZhao->Text().isEmpty())
        return;
    m_tts->sideFiles()->write(SideFile(QStringLiteral(".find")), txtChaZhao->Text());
}

// A bookmark that is missing, empty, cannot be read or is no text of the novel (stale, damaged)
// leaves the search box, and so the place, as it is.
void frmRead::cmdKanDao_Click()
{
    m_tts->sideFiles()->flush();
    const std::optional<KeptPlace> bookmark =
        ReadKeptPlace(CurrentNovel(), SideFileToRead(m_tts->novelName(), QStringLiteral(".kan")));
    if (bookmark)
        txtChaZhao->setText(bookmark->text);
}
