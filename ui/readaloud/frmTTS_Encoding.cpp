// The read-aloud window's novel: its file and the encoding it is read in, found in its bytes or
// chosen by the user with "编码" and kept per novel in the settings file.
#include "CharacterStart.h"
#include "NovelEncoding.h"
#include "SideFileWriter.h"
#include "ProgramFolder.h"
#include "ReadAloudDesign.h"
#include "ReadingSession.h"
#include "TextBox.h"
#include "frmTTS.h"
#include <QComboBox>
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
    // The session reads the novel in what the choice shows, and the reader is told after it.
    connect(cboBianMa, &QComboBox::currentTextChanged, this, [this](const QString &choice) {
        m_session->setChosenEncoding(EncodingFromName(choice));
        emit m_events->encodingChanged();
    });
}

Novel frmTTS::CurrentNovel() const
{
    return m_session->currentNovel();
}

// The choice kept for the novel now named in txtFilePathName.
void frmTTS::ShowChosenEncoding()
{
    const std::optional<TextEncoding> chosen = ChosenEncoding(txtFilePathName->Text());
    cboBianMa->setCurrentText(chosen ? EncodingName(*chosen) : kAutomatic);
}

// A new choice holds for this novel from now on: the piece being read is read again in the new
// encoding from the start of the character that covers its first byte (so that a switch there and
// back keeps every character of the place), its place is written, and only then is the choice
// kept in the settings file: a program killed on the way finds the place in either encoding.
void frmTTS::cboBianMa_Click()
{
    const TextEncoding before = m_session->piecesEncoding();
    const std::optional<TextEncoding> chosen = EncodingFromName(cboBianMa->currentText());
    RequestChapters();
    if (CurrentNovel().encoding != before && !m_session->current().text.isEmpty()) {
        cmdSpeak_Click(1);
        const BytePos start = std::max(m_session->currentPieceStart(), BytePos(1));
        m_session->moveTo(CharacterStartAtOrBefore(CurrentNovel(), start));
        m_sideFiles->flush();
    }
    KeepChosenEncoding(txtFilePathName->Text(), chosen);
}
