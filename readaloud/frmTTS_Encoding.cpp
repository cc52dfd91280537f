// The read-aloud window's novel: its file and the encoding it is read in, found in its bytes or
// chosen by the user with "编码" and kept per novel in the settings file.
#include "NovelEncoding.h"
#include "NumericText.h"
#include "ProgramFolder.h"
#include "ReadAloudDesign.h"
#include "TextBox.h"
#include "TextStart.h"
#include "frmTTS.h"
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>

using namespace ReadAloudDesign;

namespace {
// The choices in the order offered; "自动" stands for the encoding found in the novel's bytes.
const QString kAutomatic = QStringLiteral("自动");
}

void frmTTS::createEncodingChoice()
{
    lblBianMa = new QLabel(QStringLiteral("编码"), picButton);
    lblBianMa->setObjectName(QStringLiteral("lblBianMa"));
    cboBianMa = new QComboBox(picButton);
    cboBianMa->setObjectName(QStringLiteral("cboBianMa"));
    cboBianMa->setAccessibleName(QStringLiteral("编码"));
    cboBianMa->setToolTip(QStringLiteral("文件的编码，自动时由文件内容判断"));
    cboBianMa->addItem(kAutomatic);
    for (TextEncoding encoding : kAllEncodings)
        cboBianMa->addItem(EncodingName(encoding));
    lblBianMa->setBuddy(cboBianMa);
    place(lblBianMa, kEncodingCaption);
    place(cboBianMa, kEncoding);
    connect(cboBianMa, &QComboBox::activated, this, &frmTTS::cboBianMa_Click);
    connect(cboBianMa, &QComboBox::currentTextChanged, m_events, &ReadAloudEvents::encodingChanged);
}

Novel frmTTS::CurrentNovel() const
{
    const QString path = TextFilePath();
    const std::optional<TextEncoding> chosen = EncodingFromName(cboBianMa->currentText());
    return Novel{path, chosen ? *chosen : m_detectedEncoding.Of(path)};
}

// The choice kept for the novel now named in txtFilePathName.
void frmTTS::ShowChosenEncoding()
{
    const std::optional<TextEncoding> chosen = ChosenEncoding(txtFilePathName->Text());
    cboBianMa->setCurrentText(chosen ? EncodingName(*chosen) : kAutomatic);
}

// A new choice holds for this novel from now on: it is kept in the settings file, and the piece
// being read is read again from its first byte in the new encoding.
void frmTTS::cboBianMa_Click()
{
    const Novel before{TextFilePath(), m_shownEncoding};
    const std::optional<TextEncoding> chosen = EncodingFromName(cboBianMa->currentText());
    KeepChosenEncoding(txtFilePathName->Text(), chosen);
    RequestChapters();
    m_shownEncoding = CurrentNovel().encoding;
    if (m_shownEncoding == before.encoding || txtLangDu->Text().isEmpty())
        return;
    cmdSpeak_Click(1);
    // Counted back from the end of the file at the latest: a piece read past it holds no text for
    // the bytes that are not there.
    const qint64 end = std::min(NumericValue(txtWeiZhi->Text()), QFileInfo(before.path).size() + 1);
    BytePos pieceStart(end);
    if (!txtTTS->Text().isEmpty() && txtTTS->Text() != txtLangDu->Text())
        pieceStart = TextStartBefore(before, pieceStart, txtTTS->Text());
    pieceStart = TextStartBefore(before, pieceStart, txtLangDu->Text());
    txtWeiZhi->setText(QString::number(std::max<qint64>(pieceStart.value(), 1)));
    txtTTS->setText(QString());
    txtLangDu->setText(NextPiece());
}
