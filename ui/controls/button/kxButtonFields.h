#pragma once
#include <QImage>
#include <QString>
#include <QtGlobal>

// Colours in the host convention: 0x00BBGGRR, or 0x80000000 + index for a system colour.
using OleColor = quint32;

namespace kxButton {
enum StateBits : quint16 {
    IsDefault = 0x0001,
    MouseDown = 0x0002,
    MouseOver = 0x0004,
    CustomMoved = 0x0400,
};
enum CaptionAlign : qint32 { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };
enum CaptionStyle : qint32 { CaptionFlat = 0, CaptionEmbossed = 1, CaptionEngraved = 2 };
enum Mode : qint32 { ModeCommand = 0, ModeCheckBox = 1, ModeOption = 2 };
enum ButtonShape : qint32 { ShapeRectangle = 0, ShapeCustom = 7, ShapeCustomAlt = 8 };
enum PictureKind : qint32 { PictureNone = 0, PictureIcon = 1, PictureBitmap = 2 };
constexpr OleColor SystemButtonFace = 0x8000000F;
constexpr OleColor SystemButtonText = 0x80000012;
}

// The state every styled button keeps: what the behaviour sets and the drawing reads.
// The initial values are those of a newly placed button; loading a saved button overwrites them.
struct kxButtonFields
{
    QString m_Caption;                // "||" is a line break, "&" marks the access key
    qint32 m_CaptionAlign = kxButton::AlignCenter;
    qint32 m_CaptionStyle = kxButton::CaptionFlat;
    qint32 m_ButtonStyle = 0;         // drawing style 0..7
    quint16 m_State = 0;              // kxButton::StateBits
    qint32 m_ButtonShape = kxButton::ShapeRectangle;
    bool m_ShowFocusRect = true;
    OleColor m_HoverBackColor = kxButton::SystemButtonFace;
    OleColor m_HoverForeColor = kxButton::SystemButtonText;
    qint32 m_HoverColorLocks = 0;
    qint32 m_GradientMode = 0;        // 0 none, 1..4 a direction
    OleColor m_GradientColor = 0;    // a new button has black; a saved one defaults to the face colour
    qint32 m_Mode = kxButton::ModeCommand;
    bool m_Value = false;
    qint32 m_CustomClick = 0;
    QImage m_Picture;                 // null when there is none
    qint32 m_PictureAlign = 0;
    qint16 m_ImageSize = 16;          // 16, 24, 32, 40 or 48; 0 reads as 16
    qint32 m_PictureKind = kxButton::PictureNone;
    OleColor m_BackColor = kxButton::SystemButtonFace;
    bool m_DelayDrawing = false;
    qint16 m_LastButton = 0;
    bool m_Hovering = false;
    bool m_LeftHeld = false;
};
