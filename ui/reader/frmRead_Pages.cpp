// The reader's boxes bound to its page session: page turns, count presets, find and the side
// files.
#include "BoxMeasure.h"
#include "ChunkSize.h"
#include "KeptPlace.h"
#include "NumericText.h"
#include "PageSession.h"
#include "PageTurn.h"
#include "PercentageRead.h"
#include "ProgramFolder.h"
#include "SideFileWriter.h"
#include "TextBox.h"
#include "frmRead.h"
#include "ReadAloudSide.h"
#include "kxButtons_H.h"
#include <QLabel>
#include <cstdlib>

namespace {

QString PresetKey(int index)
{
    return QStringLiteral("QIANFANYESHU") + QString::number(index);
}

// A page turn on the window's count boxes and its page session.
class WindowPageTurn : public PageTurnTarget
{
public:
    WindowPageTurn(frmRead &window) : m_window(window), m_pages(*window.pages()) {}

    QString CountText(int index) const override { return m_window.txtYeShu[index]->Text(); }
    void SetCountText(int index, const QString &text) override { m_window.txtYeShu[index]->setText(text); }
    QString PageText() const override { return m_pages.pageText(); }
    void SetPageText(const QString &text) override { m_pages.setPageText(text); }
    BytePos Position() const override { return m_pages.position(); }
    void SetPosition(BytePos position) override { m_pages.setPosition(position); }
    QString NextPage() override { return m_pages.cutNext(); }
    QString PrevPage(const QString &shownText) override { return m_pages.cutPrevious(shownText); }

private:
    frmRead &m_window;
    PageSession &m_pages;
};

}

// The session cuts pages for the page box as it is now; a box set to the session's value is left
// alone when it shows that value already, so that a number typed as the user likes it stays.
void frmRead::BindPages()
{
    m_pages->setMeasure([this] { return std::make_unique<TextLayoutMeasure>(MeasureBoxOf(*txtGunDong)); });
    m_pages->setSideFiles(m_tts->sideFiles());
    connect(m_pages, &PageSession::positionChanged, this, [this](BytePos position) {
        if (NumericValue(txtWeiZhi->Text()) != position.value())
            txtWeiZhi->setText(QString::number(position.value()));
        if (const auto percentage = PercentageRead(TextFilePath(), position)) {
            lblLangDuBiLi->setText(*percentage);
            lblLangDuBiLi->adjustSize();
        }
    });
    connect(m_pages, &PageSession::chunkSizeChanged, this, [this](qint64 bytes) {
        if (NumericValue(txtFenChangDu->Text()) != bytes)
            txtFenChangDu->setText(QString::number(bytes));
    });
    connect(m_pages, &PageSession::pageChanged, txtTarrowin, &TextBox::setText);
    connect(m_pages, &PageSession::placeTextChanged, txtChaZhao, &TextBox::setText);
    connect(txtTarrowin, &TextBox::Change, this, &frmRead::txtTarrowin_Change);
    connect(txtWeiZhi, &TextBox::Change, this, &frmRead::txtWeiZhi_Change);
    connect(txtFenChangDu, &TextBox::Change, this,
            [this] { m_pages->setChunkSize(NumericValue(txtFenChangDu->Text())); });
    connect(txtChaZhao, &TextBox::Change, this, &frmRead::txtChaZhao_Change);
}

bool frmRead::TextOverflows(const TextBox *box) const
{
    return box->NeedsMoreLines();
}

void frmRead::MeasureChunkSize()
{
    TextLayoutMeasure measure(MeasureBoxOf(*txtGunDong));
    m_pages->setChunkSize(ChunkSize::Measure(measure, CurrentNovel().encoding));
}

QString frmRead::GetNextPage()
{
    return m_pages->cutNext();
}

QString frmRead::GetPrevPage(const QString &shownText)
{
    return m_pages->cutPrevious(shownText);
}

void frmRead::cmdRead_Click(int index)
{
    cmdRead[index]->setEnabled(false);
    WindowPageTurn turn(*this);
    TurnPages(turn, index);
    cmdRead[index]->setEnabled(true);
    picButton->setFocus();
}

void frmRead::LayOutPageAgain()
{
    // Following the voice, the page cut again is the follower's page from now on, with the word
    // still marked when it is still on it; the page box did not change by hand.
    m_followerShowing = m_following;
    const bool changed = m_pages->layOutAgain();
    m_followerShowing = false;
    if (changed && m_following && m_follower) {
        const QString &page = m_pages->pageText();
        m_follower->setShownPage(m_pages->position(), page);
        ShowMark(m_mark && m_mark->offset + m_mark->length <= page.size() ? m_mark : std::nullopt);
    }
}

void frmRead::TurnPagesByWheel(int angleDelta)
{
    const int notches = m_wheelTurns.Add(angleDelta);
    WindowPageTurn turn(*this);
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

// The page as shown or typed goes to the session, where a page that is not empty becomes the place.
void frmRead::txtTarrowin_Change()
{
    txtTarrowin->setSelStart(1);
    m_pages->setPageText(txtTarrowin->Text());
}

// A position typed in the box goes to the session.
void frmRead::txtWeiZhi_Change()
{
    m_pages->setPosition(BytePos(NumericValue(txtWeiZhi->Text())));
}

void frmRead::cmdChaZhao_Click()
{
    m_pages->find();
}

// The session keeps the place in ".find", except beside the voice, where the read-aloud side
// keeps it.
void frmRead::txtChaZhao_Change()
{
    m_pages->setPlaceText(txtChaZhao->Text());
}

// A bookmark that is missing, empty, cannot be read or is no text of the novel (stale, damaged)
// leaves the search box, and so the place, as it is.
void frmRead::cmdKanDao_Click()
{
    m_tts->sideFiles()->flush();
    const std::optional<KeptPlace> bookmark =
        ReadKeptPlace(CurrentNovel(), SideFileToRead(m_tts->novelName(), QStringLiteral(".kan")));
    if (bookmark)
        m_pages->setPlaceText(bookmark->text);
}
