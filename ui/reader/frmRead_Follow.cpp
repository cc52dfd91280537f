// "边听边看": the reader shows the page that holds the word being heard and marks the word, turning
// pages itself as the voice reads on. A page turned by hand, a find or automatic scrolling stops the
// following; "跟随朗读" shows it and turns it back on.
#include "MarkColour.h"
#include "PageSession.h"
#include "TextBox.h"
#include "frmRead.h"
#include "ReadAloudSide.h"
#include "kxButtons_H.h"
#include <QCheckBox>
#include <QShortcut>

void frmRead::CreateFollowControls()
{
    chkGenSui = new QCheckBox(QStringLiteral("跟随朗读"), picButton);
    chkGenSui->setObjectName(QStringLiteral("chkGenSui"));
    chkGenSui->setAccessibleName(QStringLiteral("跟随朗读"));
    chkGenSui->setToolTip(QStringLiteral("页面跟着朗读翻动，正在读的词标出来。功能键 Ctrl+K"));
    chkGenSui->setEnabled(false);
    PlaceInTwips(chkGenSui, 150, 3570, 1100, 240); // under the encoding name
    connect(chkGenSui, &QCheckBox::stateChanged, this, &frmRead::chkGenSui_Click);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), this), &QShortcut::activated, chkGenSui, [this] {
        if (chkGenSui->isEnabled())
            chkGenSui->setChecked(!chkGenSui->isChecked());
    });
    connect(txtTarrowin, &TextBox::Change, this, [this] {
        if (!m_followerShowing)
            StopFollowing();
    });
    connect(cmdChaZhao, &kxButtons_H::Click, this, &frmRead::StopFollowing);
    connect(chkGunDong, &QCheckBox::stateChanged, this, [this] {
        if (chkGunDong->isChecked())
            StopFollowing();
    });
    connect(m_tts->events(), &ReadAloudEvents::wordHeard, this, &frmRead::OnWordHeard);
    connect(m_tts->events(), &ReadAloudEvents::followAlongRequested, this, &frmRead::BeginFollowAlong);
}

// Shown (loaded afresh when it was closed) and following at once. Pages
// are cut by the page engine from the page box's measure and the chunk size, as a page turned by
// hand is; the page shown first is kept when it holds the word.
void frmRead::BeginFollowAlong()
{
    if (!isVisible())
        m_lastWord.reset();
    m_pages->setBesideVoice(true);
    show();
    chkGenSui->setEnabled(true);
    if (!m_follower) {
        m_follower = std::make_unique<PageFollower>(CurrentNovel(), [this](BytePos &at) { return m_pages->cutAt(at); });
        if (!m_pages->pageText().isEmpty())
            m_follower->setShownPage(m_pages->position(), m_pages->pageText());
    }
    FollowVoice();
}

// The reader closes: the following ends with it.
void frmRead::EndFollowAlong()
{
    StopFollowing();
    m_pages->setBesideVoice(false);
    m_lastWord.reset();
    m_follower.reset();
    chkGenSui->setEnabled(false);
}

void frmRead::chkGenSui_Click()
{
    if (chkGenSui->isChecked())
        FollowVoice();
    else
        StopFollowing();
}

// The page of the word heard last (before any word, of the start of the piece being read) is shown
// at once. While not following, the follower still went along with the voice, so the page comes
// back as it would have been turned.
void frmRead::FollowVoice()
{
    if (!m_follower)
        return;
    m_following = true;
    {
        const QSignalBlocker blocker(chkGenSui);
        chkGenSui->setChecked(true);
    }
    ShowHeard(m_lastWord ? *m_lastWord : m_tts->pieceBeingRead());
}

void frmRead::StopFollowing()
{
    if (!m_following)
        return;
    m_following = false;
    const QSignalBlocker blocker(chkGenSui);
    chkGenSui->setChecked(false);
    ShowMark(std::nullopt);
}

void frmRead::OnWordHeard(const HeardWord &word)
{
    if (!m_pages->besideVoice() || !isVisible())
        return;
    m_lastWord = word;
    if (!m_follower)
        return;
    if (m_following)
        ShowHeard(*m_lastWord);
    else
        m_follower->Follow(*m_lastWord);
}

void frmRead::ShowHeard(const HeardWord &word)
{
    const std::optional<WordPlace> mark = m_follower->Follow(word);
    const bool turned = m_follower->pageEnd() != m_pages->position() || m_follower->pageText() != m_pages->pageText();
    if (m_follower->hasPage() && turned) {
        m_followerShowing = true;
        m_pages->setPosition(m_follower->pageEnd());
        m_pages->setPageText(m_follower->pageText());
        m_followerShowing = false;
    }
    ShowMark(mark);
}

// The word is drawn over a colour of its own that shows on the page's text and background.
void frmRead::ShowMark(std::optional<WordPlace> mark)
{
    m_mark = mark;
    QList<QTextEdit::ExtraSelection> marks;
    if (mark && mark->length > 0) {
        QTextEdit::ExtraSelection word;
        word.cursor = txtTarrowin->TextRange(mark->offset, mark->length);
        const QColor text = txtTarrowin->palette().color(QPalette::Text);
        word.format.setBackground(MarkColour(text, txtTarrowin->palette().color(QPalette::Base)));
        word.format.setForeground(text);
        marks << word;
    }
    txtTarrowin->setExtraSelections(marks);
}
