// Automatic scrolling: the page on screen is frozen on one surface while the next page, drawn
// once on a second surface, is uncovered from the top a little at every tick.
#include "FormTimer.h"
#include "ScrollSpeed.h"
#include "ScrollSurface.h"
#include "TextBox.h"
#include "frmRead.h"
#include "kxButtons_H.h"
#include "mdlTextLine.h"
#include <QCheckBox>
#include <QLabel>
#include <cmath>

namespace {
// Width of the reveal line's border, in pixels.
constexpr int RevealLineWidth = 1;
}

void frmRead::chkGunDong_Click()
{
    const bool on = chkGunDong->isChecked();
    if (on)
        FlipScrollPage();
    picTextGunDong->setVisible(on);
    picTextXianShi->setVisible(on);
    tmrGunDong->setEnabled(on);
    for (kxButtons_H *speed : cmdGunDong)
        speed->setEnabled(on);
}

void frmRead::cmdGunDong_Click(int index)
{
    const qint32 step = Settings().ReadInteger(QStringLiteral("GONGDONGGAIBIANLIANG"), ScrollSpeed::DefaultStep);
    SetScrollInterval(ScrollSpeed::Changed(m_scrollInterval, index, step));
    Settings().Write(QStringLiteral("GUNDONGSUDU"), QString::number(m_scrollInterval));
}

// The pace drives the timer; the label shows it.
void frmRead::SetScrollInterval(int interval)
{
    m_scrollInterval = interval;
    lblGunDong->setText(QString::number(interval));
    lblGunDong->adjustSize();
    tmrGunDong->setInterval(interval);
}

void frmRead::tmrGunDong_Timer()
{
    if (m_gunDongHeight >= m_xianShiHeight)
        FlipScrollPage();
    else
        SetGunDongHeight(m_gunDongHeight + ScrollSpeed::RevealStep);
}

void frmRead::PrintPage(ScrollSurface *surface)
{
    const qint32 lines = mdlTextLine::GetLineCount(*txtTarrowin);
    for (qint32 i = 0; i < lines; ++i) {
        QString line = mdlTextLine::GetLine(*txtTarrowin, i);
        line.remove(QLatin1Char('\r'));
        line.remove(QLatin1Char('\n'));
        surface->Print(line);
    }
}

void frmRead::FlipScrollPage()
{
    picTextXianShi->Cls();
    PrintPage(picTextXianShi);
    picTextXianShi->raise();
    cmdRead_Click(0);
    SetGunDongHeight(m_xianShiHeight);
    picTextGunDong->Cls();
    PrintPage(picTextGunDong);
    picTextGunDong->raise();
    SetGunDongHeight(0);
}

void frmRead::SetGunDongHeight(double twips)
{
    m_gunDongHeight = twips;
    picTextGunDong->resize(picTextGunDong->width(), int(std::lround(twips / TwipsPerPixel())));
    picTextGunDong_Resize();
}

void frmRead::picTextGunDong_Resize()
{
    const double tpp = TwipsPerPixel();
    const int y = picTextGunDong->height() - (RevealLineWidth + 2);
    const int left = int(std::lround(-10 / tpp));
    const int right = picTextGunDong->width() + int(std::lround(20 / tpp));
    linGunDong->setGeometry(left, y, right - left, RevealLineWidth);
}

void frmRead::picText_MouseUp(Qt::MouseButton button, double yTwips)
{
    if (button == Qt::RightButton) {
        chkGunDong->setChecked(false);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    switch (ScrollSpeed::ZoneOf(yTwips, m_xianShiHeight)) {
    case ScrollSpeed::ClickZone::Faster:
        cmdGunDong_Click(1);
        tmrGunDong->setEnabled(true);
        break;
    case ScrollSpeed::ClickZone::Slower:
        cmdGunDong_Click(0);
        tmrGunDong->setEnabled(true);
        break;
    case ScrollSpeed::ClickZone::PauseOrResume:
        tmrGunDong->setEnabled(!tmrGunDong->Enabled());
        break;
    }
    ShowSpeedHint();
}

void frmRead::ShowSpeedHint()
{
    cmdlblGunDong->setCaption(tmrGunDong->Enabled() ? QString::number(m_scrollInterval) : QStringLiteral("暂停"));
    cmdlblGunDong->raise();
    cmdlblGunDong->show();
    tmrGunDongTiShi->setEnabled(false);
    tmrGunDongTiShi->setEnabled(true);
}

void frmRead::tmrGunDongTiShi_Timer()
{
    tmrGunDongTiShi->setEnabled(false);
    cmdlblGunDong->hide();
}

void frmRead::cmdlblGunDong_Click()
{
    cmdlblGunDong->hide();
}
