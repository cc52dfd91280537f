#include "kxButtonHost.h"
#include "kxButtonRules.h"
#include "kxButtons_H.h"
#include "kxMousePointer.h"
#include "kxPropertyBag.h"

using namespace kxButton;

namespace {
// Colours are kept in the bag as signed 32-bit numbers.
QVariant ColourValue(OleColor colour)
{
    return static_cast<qint32>(colour);
}

template <typename T, typename Field>
void Assign(const std::optional<T> &value, Field &field)
{
    if (value)
        field = static_cast<Field>(*value);
}
}

void kxButtons_H::InitProperties(const QString &controlName)
{
    WriteContainerTag();
    m_CaptionIsName = false;
    m_F.m_Caption = controlName;
    m_F.m_CaptionAlign = AlignCenter;
    m_F.m_ShowFocusRect = true;
    m_F.m_HoverForeColor = SystemButtonText;
    m_F.m_HoverBackColor = SystemButtonFace;
    m_F.m_BackColor = SystemButtonFace;
    RebuildFont();
    RecomputeColours();
    for (const char *key : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"})
        Report(QString::fromLatin1(key));
}

void kxButtons_H::ReadEnumeration(const kxPropertyBag &bag, const QString &key, qint32 defaultValue, qint32 last,
                                  qint32 &field)
{
    // A stored value out of range would reach the drawing tables; it is ignored like a damaged entry.
    const std::optional<qint32> value = bag.ReadInteger(key, defaultValue);
    if (value && *value >= 0 && *value <= last)
        field = *value;
}

void kxButtons_H::ReadProperties(const kxPropertyBag &bag)
{
    if (m_F.m_Mode == ModeOption)
        RemoveFromGroup();
    WriteContainerTag();
    DelayDrawing(true);
    Assign(bag.ReadString(QStringLiteral("Caption"), QString()), m_F.m_Caption);
    ReadEnumeration(bag, QStringLiteral("CapAlign"), AlignCenter, 2, m_F.m_CaptionAlign);
    ReadEnumeration(bag, QStringLiteral("BackStyle"), 0, 7, m_F.m_ButtonStyle);
    ReadEnumeration(bag, QStringLiteral("Shape"), ShapeRectangle, 8, m_F.m_ButtonShape);
    ReadEnumeration(bag, QStringLiteral("Gradient"), 0, 4, m_F.m_GradientMode);
    Assign(bag.ReadColour(QStringLiteral("cGradient"), SystemButtonFace), m_F.m_GradientColor);
    Assign(bag.ReadColour(QStringLiteral("cFore"), SystemButtonText), m_ForeColor);
    const QVariant storedFont = bag.ReadProperty(QStringLiteral("Font"));
    if (storedFont.typeId() == QMetaType::QFont)
        setFont(storedFont.value<QFont>());
    Assign(bag.ReadBoolean(QStringLiteral("Focus"), true), m_F.m_ShowFocusRect);
    ReadEnumeration(bag, QStringLiteral("Mode"), ModeCommand, 2, m_F.m_Mode);
    Assign(bag.ReadBoolean(QStringLiteral("Value"), false), m_F.m_Value);
    if (m_F.m_Mode == ModeCommand)
        m_F.m_Value = false; // a command button is never checked
    ReadEnumeration(bag, QStringLiteral("CustomClick"), 0, 8, m_F.m_CustomClick);
    if (const std::optional<kxPicture> picture = bag.ReadPicture(QStringLiteral("Image"))) {
        m_F.m_Picture = picture->image;
        m_F.m_PictureKind = picture->isNull() ? PictureNone : (picture->isIcon ? PictureIcon : PictureBitmap);
    }
    const std::optional<qint32> imageSize = bag.ReadInteger(QStringLiteral("ImgSize"), 16);
    if (imageSize && kxButtonRules::IsImageSize(*imageSize))
        m_F.m_ImageSize = static_cast<qint16>(*imageSize);
    ReadEnumeration(bag, QStringLiteral("ImgAlign"), 0, 5, m_F.m_PictureAlign);
    Assign(bag.ReadColour(QStringLiteral("cFHover"), SystemButtonText), m_F.m_HoverForeColor);
    if (const std::optional<bool> enabled = bag.ReadBoolean(QStringLiteral("Enabled"), true))
        setEnabled(*enabled);
    Assign(bag.ReadColour(QStringLiteral("cBack"), Host().AmbientBackColor(*this)), m_F.m_BackColor);
    Assign(bag.ReadColour(QStringLiteral("cBHover"), m_F.m_BackColor), m_F.m_HoverBackColor);
    Assign(bag.ReadInteger(QStringLiteral("LockHover"), 0), m_F.m_HoverColorLocks);
    ReadEnumeration(bag, QStringLiteral("CapStyle"), CaptionFlat, 2, m_F.m_CaptionStyle);
    if (const std::optional<kxPicture> icon = bag.ReadPicture(QStringLiteral("mIcon")))
        setMouseIcon(*icon);
    if (const std::optional<qint32> pointer = bag.ReadInteger(QStringLiteral("mPointer"), kxMousePointer::Default))
        setMousePointer(*pointer);

    AnalysePicture();
    RebuildFont();
    RecomputeColours();
    setCaption(m_F.m_Caption);
    if (m_F.m_Mode == ModeOption)
        AddToGroup();
    m_F.m_DelayDrawing = false;
    ResizeHandling();
}

void kxButtons_H::WriteProperties(kxPropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("Caption"), m_F.m_Caption, QString());
    bag.WriteProperty(QStringLiteral("CapAlign"), m_F.m_CaptionAlign, qint32(AlignCenter));
    bag.WriteProperty(QStringLiteral("BackStyle"), m_F.m_ButtonStyle, qint32(0));
    bag.WriteProperty(QStringLiteral("Shape"), m_F.m_ButtonShape, qint32(ShapeRectangle));
    bag.WriteProperty(QStringLiteral("Font"), font());
    bag.WriteProperty(QStringLiteral("cFore"), ColourValue(m_ForeColor), ColourValue(SystemButtonText));
    bag.WriteProperty(QStringLiteral("cFHover"), ColourValue(m_F.m_HoverForeColor), ColourValue(SystemButtonText));
    bag.WriteProperty(QStringLiteral("cBhover"), ColourValue(m_F.m_HoverBackColor), ColourValue(m_F.m_BackColor));
    bag.WriteProperty(QStringLiteral("Focus"), m_F.m_ShowFocusRect, true);
    bag.WriteProperty(QStringLiteral("LockHover"), m_F.m_HoverColorLocks, qint32(0));
    bag.WriteProperty(QStringLiteral("cGradient"), ColourValue(m_F.m_GradientColor), ColourValue(SystemButtonFace));
    bag.WriteProperty(QStringLiteral("Gradient"), m_F.m_GradientMode, qint32(0));
    bag.WriteProperty(QStringLiteral("CapStyle"), m_F.m_CaptionStyle, qint32(CaptionFlat));
    bag.WriteProperty(QStringLiteral("Mode"), m_F.m_Mode);
    bag.WriteProperty(QStringLiteral("Value"), m_F.m_Value);
    bag.WriteProperty(QStringLiteral("CustomClick"), m_F.m_CustomClick, qint32(0));
    bag.WriteProperty(QStringLiteral("ImgAlign"), m_F.m_PictureAlign, qint32(0));
    if (!m_F.m_Picture.isNull())
        bag.WriteProperty(QStringLiteral("Image"), QVariant::fromValue(Picture()));
    bag.WriteProperty(QStringLiteral("ImgSize"), qint32(m_F.m_ImageSize), qint32(16));
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("cBack"), ColourValue(m_F.m_BackColor));
    bag.WriteProperty(QStringLiteral("mPointer"), m_MousePointer, qint32(kxMousePointer::Default));
    if (!m_MouseIcon.isNull())
        bag.WriteProperty(QStringLiteral("mIcon"), QVariant::fromValue(m_MouseIcon));
}

void kxButtons_H::LoadDesign(const QList<QPair<QString, QVariant>> &design)
{
    ReadProperties(kxPropertyBag(design));
}
