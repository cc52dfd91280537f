#include "frmTTS.h"

frmTTS::frmTTS(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmTTS"));
    setWindowTitle(QStringLiteral("Tarrowin"));
}
