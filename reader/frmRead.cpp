#include "frmRead.h"

frmRead::frmRead(frmTTS *tts, QWidget *parent) : QWidget(parent), m_tts(tts)
{
    setObjectName(QStringLiteral("frmRead"));
}
