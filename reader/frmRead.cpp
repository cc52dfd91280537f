#include "frmRead.h"

frmRead::frmRead(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmRead"));
}
