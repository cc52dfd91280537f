// The reader's status line: what went wrong while the reader is the window in front (a place or
// setting that could not be written where it belongs), said once, under the page.
#include "KeptWrite.h"
#include "StatusLine.h"
#include "TextBox.h"
#include "frmRead.h"
#include <utility>

void frmRead::CreateStatusLine()
{
    lblZhuangTai = new StatusLine(this);
    lblZhuangTai->setObjectName(QStringLiteral("lblZhuangTai"));
    connect(lblZhuangTai, &StatusLine::shownChanged, this, &frmRead::picButton_Resize);
    connect(KeptWriteNotices::instance(), &KeptWriteNotices::keptElsewhere, this,
            [this](const QString &path, const QString &keptAt, int error) {
                if (isVisible() && !std::exchange(m_toldKeptElsewhere, true))
                    lblZhuangTai->say(KeptElsewhereText(path, keptAt, error));
            });
}

// A line with a message takes its height from the bottom of the page box.
void frmRead::PlaceStatusLine()
{
    if (!lblZhuangTai || lblZhuangTai->isHidden())
        return;
    const QRect page = txtTarrowin->geometry();
    const int height = lblZhuangTai->sizeHint().height();
    txtTarrowin->setGeometry(page.adjusted(0, 0, 0, -height));
    lblZhuangTai->setGeometry(page.left(), page.bottom() + 1 - height, page.width(), height);
    lblZhuangTai->raise();
}
