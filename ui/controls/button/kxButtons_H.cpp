#include "kxButtons_H.h"
#include "kxButtonAccessible.h"
#include "kxButtonHost.h"
#include "kxButtonRules.h"
#include "kxMousePointer.h"
#include "kxWidgetHandle.h"
#include <QAccessible>
#include <QEvent>
#include <QKeySequence>
#include <QPixmap>
#include <QTimer>

using namespace kxButton;

namespace {
constexpr int HoverPeriodMs = 50;

bool InRange(qint32 value, qint32 last)
{
    return value >= 0 && value <= last;
}

bool IsPictureShape(qint32 shape)
{
    return shape == ShapeCustom || shape == ShapeCustomAlt;
}
}

kxButtons_H::kxButtons_H(QWidget *parent) : QWidget(parent), m_HoverTimer(new QTimer(this))
{
    kxButtonAccessible::Install();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_HoverTimer->setInterval(HoverPeriodMs);
    connect(m_HoverTimer, &QTimer::timeout, this, &kxButtons_H::HoverCheck);
    InitProperties(objectName());
    // A new button is named after it is made: until it gets a caption of its own or loads its
    // properties, its caption is its name.
    m_CaptionIsName = true;
    connect(this, &QObject::objectNameChanged, this, [this](const QString &name) {
        if (!m_CaptionIsName)
            return;
        setCaption(name);
        m_CaptionIsName = true;
    });
}

kxButtons_H::~kxButtons_H()
{
    m_HoverTimer->stop();
    if (m_F.m_Mode == ModeOption)
        RemoveFromGroup();
    ReleaseDrawing();
}

void kxButtons_H::setHost(kxButtonHost *host)
{
    m_Host = host;
}

kxButtonHost &kxButtons_H::Host() const
{
    return m_Host ? *m_Host : kxButtonHost::Standard();
}

void kxButtons_H::Report(const QString &key)
{
    Host().PropertyChanged(*this, key);
}

bool kxButtons_H::DesignMode() const
{
    return !Host().UserMode();
}

void kxButtons_H::Inform(const QString &message)
{
    if (DesignMode())
        Host().ShowInformation(message);
}

void kxButtons_H::SetState(quint16 bit, bool on)
{
    m_F.m_State = on ? (m_F.m_State | bit) : (m_F.m_State & ~bit);
}

bool kxButtons_H::IsPressed() const
{
    return (m_F.m_State & kxButton::MouseDown) && (m_F.m_State & MouseOver);
}

bool kxButtons_H::IsHot() const
{
    return m_F.m_Hovering || IsPressed();
}

void kxButtons_H::setButtonStyle(qint32 Style)
{
    if (!InRange(Style, 7))
        return;
    const qint32 oldStyle = m_F.m_ButtonStyle;
    m_F.m_ButtonStyle = Style;
    const bool styleFiveInvolved = (oldStyle == 5 || Style == 5) && m_F.m_ButtonShape < ShapeCustom;
    if (styleFiveInvolved || m_F.m_ButtonShape < 4)
        BuildRegion();
    Relayout();
    RecomputeColours();
    Repaint();
    Report(QStringLiteral("BackStyle"));
}

void kxButtons_H::setMode(qint32 nMode)
{
    if (!InRange(nMode, 2))
        return;
    const qint32 oldMode = m_F.m_Mode;
    if (oldMode == ModeOption && nMode != ModeOption)
        RemoveFromGroup();
    else if (nMode == ModeOption && oldMode != ModeOption)
        AddToGroup();
    if (nMode == ModeCommand && oldMode != ModeCommand)
        setValue(false);
    m_F.m_Mode = nMode;
    Repaint();
    Report(QStringLiteral("Mode"));
}

void kxButtons_H::setCaption(const QString &sCaption)
{
    m_CaptionIsName = false;
    SetAccessKey(kxButtonRules::AccessKey(sCaption));
    const bool renamed = m_F.m_Caption != sCaption;
    m_F.m_Caption = sCaption;
    Relayout();
    Repaint();
    Report(QStringLiteral("Caption"));
    if (renamed && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void kxButtons_H::SetAccessKey(const QChar &key)
{
    if (m_AccessKeyId != 0)
        releaseShortcut(m_AccessKeyId);
    m_AccessKeyId = key.isNull() ? 0 : grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode()))));
}

void kxButtons_H::setCaptionAlign(qint32 nAlign)
{
    if (!InRange(nAlign, 2))
        return;
    // With a picture above or below the caption, the caption stays centred.
    if (nAlign != AlignCenter && m_F.m_PictureAlign >= 4 && !m_F.m_Picture.isNull())
        return;
    m_F.m_CaptionAlign = nAlign;
    Relayout();
    Repaint();
    Report(QStringLiteral("CapAlign"));
}

void kxButtons_H::setCaptionStyle(qint32 nStyle)
{
    if (!InRange(nStyle, 2))
        return;
    m_F.m_CaptionStyle = nStyle;
    Report(QStringLiteral("CapStyle"));
    if (m_F.m_Caption.isEmpty())
        return;
    Relayout();
    Repaint();
}

void kxButtons_H::setCustomClick(qint32 nOpt)
{
    if (!InRange(nOpt, 8))
        return;
    m_F.m_CustomClick = nOpt;
    Report(QStringLiteral("CustomClick"));
}

void kxButtons_H::setButtonShape(qint32 nShape)
{
    if (!InRange(nShape, 8))
        return;
    if (IsPictureShape(nShape)) {
        if (m_F.m_Picture.isNull() || m_F.m_PictureKind == PictureIcon) {
            Inform(QStringLiteral("The Picture Property must be assigned first and must be a bitmap or JPEG."));
            return;
        }
        // A picture shape always shows its picture at the fitted size.
        m_F.m_DelayDrawing = true;
        m_F.m_ImageSize = kxButtonRules::ImageSizeOf(4);
    }
    m_F.m_ButtonShape = nShape;
    m_F.m_DelayDrawing = false;
    ResizeHandling();
    Report(QStringLiteral("Shape"));
}

kxPicture kxButtons_H::Picture() const
{
    return {m_F.m_Picture, m_F.m_PictureKind == PictureIcon};
}

void kxButtons_H::setPicture(const kxPicture &xPic)
{
    m_F.m_Picture = xPic.image;
    m_F.m_PictureKind = xPic.isNull() ? PictureNone : (xPic.isIcon ? PictureIcon : PictureBitmap);
    if (m_F.m_ImageSize == 0)
        m_F.m_ImageSize = 16;
    AnalysePicture();
    if (IsPictureShape(m_F.m_ButtonShape)) {
        if (m_F.m_PictureKind != PictureBitmap)
            m_F.m_ButtonShape = ShapeRectangle;
        if (m_F.m_PictureKind == PictureIcon)
            Inform(QStringLiteral("Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\n"
                                  "Button was changed to Rectangular shaped."));
        ResizeHandling();
    }
    Relayout();
    Repaint();
    Report(QStringLiteral("Image"));
}

void kxButtons_H::setPictureAlign(qint32 ImgAlign)
{
    if (!InRange(ImgAlign, 5))
        return;
    m_F.m_PictureAlign = ImgAlign;
    if (ImgAlign >= 4)
        m_F.m_CaptionAlign = AlignCenter;
    Relayout();
    Repaint();
    Report(QStringLiteral("ImgAlign"));
}

void kxButtons_H::EnabledChanged()
{
    // Style 3's outline depends on the enabled state.
    if (m_F.m_ButtonStyle == 3 && m_F.m_Mode == ModeCommand && m_F.m_ButtonShape <= 3) {
        const bool delayed = m_F.m_DelayDrawing;
        m_F.m_DelayDrawing = true;
        BuildRegion();
        Relayout();
        m_F.m_DelayDrawing = delayed;
    }
    Repaint();
    Report(QStringLiteral("Enabled"));
}

void kxButtons_H::setShowFocusRect(bool bShow)
{
    m_F.m_ShowFocusRect = bShow;
    if (m_F.m_State & IsDefault) {
        if (DesignMode()) {
            Host().ShowInformation(QStringLiteral("The focus rectangle may appear on default buttons ONLY while in design mode, \n"
                                                  "but will not appear when the form is running."));
        } else {
            SetState(IsDefault, false);
            Repaint();
        }
    } else {
        Repaint();
    }
    Report(QStringLiteral("Focus"));
}

void kxButtons_H::setValue(bool bValue)
{
    if (bValue && m_F.m_Mode == ModeCommand) {
        Inform(QStringLiteral("This property is not applicable for command button modes."));
        return;
    }
    const bool changed = m_F.m_Value != bValue;
    m_F.m_Value = bValue;
    if (bValue && m_F.m_Mode == ModeOption)
        ClearOthersInGroup();
    Repaint();
    Report(QStringLiteral("Value"));
    if (changed && QAccessible::isActive()) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent event(this, checked);
        QAccessible::updateAccessibility(&event);
    }
}

qint32 kxButtons_H::PictureSize() const
{
    return kxButtonRules::PictureSizeOf(m_F.m_ImageSize);
}

void kxButtons_H::setPictureSize(qint32 nSize)
{
    if (!InRange(nSize, 4))
        return;
    if (IsPictureShape(m_F.m_ButtonShape)) {
        Inform(QStringLiteral("The picture size cannot be changed for Shaped buttons"));
        return;
    }
    m_F.m_ImageSize = kxButtonRules::ImageSizeOf(nSize);
    Relayout();
    Repaint();
    Report(QStringLiteral("ImgSize"));
}

void kxButtons_H::setMousePointer(qint32 nPointer)
{
    if (!kxMousePointer::IsPointer(nPointer))
        return;
    m_MousePointer = nPointer;
    ApplyPointer();
    Report(QStringLiteral("mPointer"));
}

void kxButtons_H::ApplyPointer()
{
    if (const auto shape = kxMousePointer::ShapeOf(m_MousePointer))
        setCursor(*shape);
    else if (m_MousePointer == kxMousePointer::Custom && !m_MouseIcon.isNull())
        setCursor(QCursor(QPixmap::fromImage(m_MouseIcon.image)));
    else
        unsetCursor();
}

void kxButtons_H::setMouseIcon(const kxPicture &nIcon)
{
    m_MouseIcon = nIcon;
    if (nIcon.isNull()) {
        ApplyPointer();
        return;
    }
    setMousePointer(kxMousePointer::Custom);
    Report(QStringLiteral("mIcon"));
}

void kxButtons_H::FontChanged()
{
    RebuildFont();
    Relayout();
    Repaint();
    Report(QStringLiteral("Font"));
}

qint32 kxButtons_H::FontStyle() const
{
    return kxButtonRules::FontStyleOf(font());
}

void kxButtons_H::setFontStyle(qint32 fontStyle)
{
    setFont(kxButtonRules::WithFontStyle(font(), fontStyle));
}

void kxButtons_H::setForeColor(OleColor nColor)
{
    if (nColor == m_ForeColor)
        return;
    m_ForeColor = nColor;
    if (kxButtonRules::HoverTextFollows(m_F.m_HoverColorLocks))
        m_F.m_HoverForeColor = nColor;
    Refresh();
    Report(QStringLiteral("cFore"));
}

void kxButtons_H::FollowHoverBack()
{
    if (kxButtonRules::HoverBackFollows(m_F.m_HoverColorLocks))
        m_F.m_HoverBackColor = kxButtonRules::FollowedHoverBack(m_F.m_BackColor, m_F.m_GradientColor, m_F.m_GradientMode);
}

void kxButtons_H::setBackColor(OleColor nColor)
{
    m_F.m_BackColor = nColor;
    FollowHoverBack();
    RecomputeColours();
    Repaint();
    Report(QStringLiteral("cBack"));
}

void kxButtons_H::setGradientColor(OleColor nColor)
{
    m_F.m_GradientColor = nColor;
    // Without a gradient the hover back colour does not follow the gradient colour.
    if (m_F.m_GradientMode != 0)
        FollowHoverBack();
    RecomputeColours();
    if (m_F.m_GradientMode != 0)
        Repaint();
    Report(QStringLiteral("cGradient"));
}

void kxButtons_H::setGradientMode(qint32 nOpt)
{
    if (!InRange(nOpt, 4))
        return;
    m_F.m_GradientMode = nOpt;
    FollowHoverBack();
    RecomputeColours();
    Repaint();
    Report(QStringLiteral("Gradient"));
}

void kxButtons_H::setResetDefaultColors(bool nDefault)
{
    if (!nDefault || !DesignMode())
        return;
    m_F.m_DelayDrawing = true;
    m_F.m_BackColor = SystemButtonFace;
    m_ForeColor = SystemButtonText;
    m_F.m_GradientColor = SystemButtonFace;
    m_F.m_GradientMode = 0;
    m_F.m_HoverColorLocks = 0;
    m_F.m_HoverBackColor = m_F.m_BackColor;
    m_F.m_HoverForeColor = m_ForeColor;
    RecomputeColours();
    Refresh();
    Report(QStringLiteral("cGradient"));
    Report(QStringLiteral("cBack"));
}

void kxButtons_H::setHoverColorLocks(qint32 nLock)
{
    m_F.m_HoverColorLocks = nLock;
    if (kxButtonRules::HoverBackFollows(nLock)) {
        FollowHoverBack();
        Report(QStringLiteral("cBHover"));
    }
    if (kxButtonRules::HoverTextFollows(nLock)) {
        m_F.m_HoverForeColor = m_ForeColor;
        Report(QStringLiteral("cFHover"));
    }
    RecomputeColours();
    Report(QStringLiteral("LockHover"));
}

void kxButtons_H::setHoverForeColor(OleColor nColor)
{
    if (nColor == m_F.m_HoverForeColor)
        return;
    m_F.m_HoverForeColor = nColor;
    if (nColor != m_ForeColor)
        m_F.m_HoverColorLocks = kxButtonRules::ReleaseTextLock(m_F.m_HoverColorLocks);
    Report(QStringLiteral("cFHover"));
}

void kxButtons_H::setHoverBackColor(OleColor nColor)
{
    if (nColor == m_F.m_HoverBackColor)
        return;
    m_F.m_HoverBackColor = nColor;
    if (nColor != m_F.m_BackColor)
        m_F.m_HoverColorLocks = kxButtonRules::ReleaseBackLock(m_F.m_HoverColorLocks);
    RecomputeColours();
    Report(QStringLiteral("cBHover"));
}

quint32 kxButtons_H::hwnd()
{
    return kxWidgetHandle::Of(this);
}

void kxButtons_H::Refresh()
{
    m_F.m_DelayDrawing = false;
    Repaint();
}

void kxButtons_H::DelayDrawing(bool bDelay)
{
    m_F.m_DelayDrawing = bDelay;
    if (!bDelay)
        Refresh();
}

void kxButtons_H::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::EnabledChange:
        EnabledChanged();
        break;
    case QEvent::FontChange:
        FontChanged();
        break;
    case QEvent::ParentChange:
        ContainerChanged();
        break;
    default:
        break;
    }
    QWidget::changeEvent(e);
}

void kxButtons_H::resizeEvent(QResizeEvent *)
{
    ResizeHandling();
}
