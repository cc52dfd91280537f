// The reader's side bar names the encoding the novel is read in, and follows the read-aloud
// window's "编码" as soon as it changes.
#include "PageSession.h"
#include "TextEncoding.h"
#include "frmRead.h"
#include "ReadAloudSide.h"
#include <QLabel>

void frmRead::CreateEncodingLabel()
{
    lblBianMa = new QLabel(picButton);
    lblBianMa->setObjectName(QStringLiteral("lblBianMa"));
    lblBianMa->setAccessibleName(QStringLiteral("编码"));
    lblBianMa->setToolTip(QStringLiteral("文件的编码，在朗读窗口的“编码”中更改"));
    lblBianMa->setAlignment(Qt::AlignCenter);
    PlaceInTwips(lblBianMa, 30, 3300, 1215, 210);
    connect(m_tts->events(), &ReadAloudEvents::encodingChanged, this, &frmRead::ShowEncoding);
}

// The page session reads the novel as the read-aloud side does, in the same encoding.
void frmRead::ShowEncoding()
{
    m_pages->setNovel(m_tts->novelName(), CurrentNovel());
    lblBianMa->setText(QStringLiteral("编码 ") + EncodingName(CurrentNovel().encoding));
}
