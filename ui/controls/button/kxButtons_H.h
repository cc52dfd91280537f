#pragma once
#include "kxButtonFields.h"
#include "kxPicture.h"
#include <QFont>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>

class QMimeData;
class QTimer;
class kxButtonHost;
class kxPropertyBag;

// The drawing resources of one button (off-screen surface, regions, layout); the drawing defines it.
struct kxButtonPaintCache;
struct kxButtonPaintCacheDeleter
{
    void operator()(kxButtonPaintCache *cache) const;
};

// The styled button: an owner-drawn button with its own styles, shapes, gradients and hover
// colours, working as a command button, a check box or an option button. Its container's handle
// (kxWidgetHandle) is kept as decimal text in Tag. The windows use only Caption, Click and
// QWidget's enabled and visible states; everything else serves the design data.
class kxButtons_H : public QWidget
{
    Q_OBJECT
public:
    explicit kxButtons_H(QWidget *parent = nullptr);
    ~kxButtons_H() override;

    // Public members, in the order of the control's interface. Setters ignore values out of range.
    qint32 ButtonStyle() const { return m_F.m_ButtonStyle; }
    void setButtonStyle(qint32 Style);
    qint32 Mode() const { return m_F.m_Mode; }
    void setMode(qint32 nMode);
    QString Caption() const { return m_F.m_Caption; }
    // The width the button needs for its caption to stand on one line, in pixels.
    int OneLineCaptionWidth() const;
    void setCaption(const QString &sCaption);
    qint32 CaptionAlign() const { return m_F.m_CaptionAlign; }
    void setCaptionAlign(qint32 nAlign);
    qint32 CaptionStyle() const { return m_F.m_CaptionStyle; }
    void setCaptionStyle(qint32 nStyle);
    qint32 CustomClick() const { return m_F.m_CustomClick; }
    void setCustomClick(qint32 nOpt);
    qint32 ButtonShape() const { return m_F.m_ButtonShape; }
    void setButtonShape(qint32 nShape);
    kxPicture Picture() const;
    void setPicture(const kxPicture &xPic);
    qint32 PictureAlign() const { return m_F.m_PictureAlign; }
    void setPictureAlign(qint32 ImgAlign);
    // Enabled is the button's own enabled flag (not its container's); setEnabled changes it and the
    // button reacts in changeEvent.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    bool ShowFocusRect() const { return m_F.m_ShowFocusRect; }
    void setShowFocusRect(bool bShow);
    bool Value() const { return m_F.m_Value; }
    void setValue(bool bValue);
    qint32 PictureSize() const;
    void setPictureSize(qint32 nSize);
    qint32 MousePointer() const { return m_MousePointer; }
    void setMousePointer(qint32 nPointer);
    kxPicture MouseIcon() const { return m_MouseIcon; }
    void setMouseIcon(const kxPicture &nIcon);
    // Font is QWidget's font; setFont changes it and the button reacts in changeEvent.
    QFont Font() const { return font(); }
    qint32 FontStyle() const;
    void setFontStyle(qint32 fontStyle);
    OleColor ForeColor() const { return m_ForeColor; }
    void setForeColor(OleColor nColor);
    OleColor BackColor() const { return m_F.m_BackColor; }
    void setBackColor(OleColor nColor);
    OleColor GradientColor() const { return m_F.m_GradientColor; }
    void setGradientColor(OleColor nColor);
    qint32 GradientMode() const { return m_F.m_GradientMode; }
    void setGradientMode(qint32 nOpt);
    bool ResetDefaultColors() const { return false; }
    void setResetDefaultColors(bool nDefault);
    qint32 HoverColorLocks() const { return m_F.m_HoverColorLocks; }
    void setHoverColorLocks(qint32 nLock);
    OleColor HoverForeColor() const { return m_F.m_HoverForeColor; }
    void setHoverForeColor(OleColor nColor);
    OleColor HoverBackColor() const { return m_F.m_HoverBackColor; }
    void setHoverBackColor(OleColor nColor);
    QPaintDevice *hDC() const;
    quint32 hwnd();
    void Refresh();
    void DelayDrawing(bool bDelay);

    // The container's handle as decimal text; written when the button is created, loaded or moved
    // to another container.
    QString Tag() const { return m_Tag; }
    void setTag(const QString &tag) { m_Tag = tag; }

    // The host (design mode, messages, property-changed notes); the standard host when none is set.
    void setHost(kxButtonHost *host);
    kxButtonHost &Host() const;

    // Persistence: a new button, loading from and saving to a property bag.
    void InitProperties(const QString &controlName);
    void ReadProperties(const kxPropertyBag &bag);
    void WriteProperties(kxPropertyBag &bag) const;
    // Loads design data given as key/value pairs, as if read from a saved bag.
    void LoadDesign(const QList<QPair<QString, QVariant>> &design);

    // Notifications from the host: an access key (or Enter or Escape for a default or cancel
    // button), and a changed ambient property ("DisplayAsDefault", "BackColor").
    void AccessKeyPress(int KeyAscii);
    void AmbientChanged(const QString &name);
    // A press from the keyboard or an assistive tool: runs the click rules as the left button.
    void Activate();

    // Option group of the container named in Tag.
    void AddToGroup();
    void RemoveFromGroup();
    void ClearOthersInGroup();
    bool AnyInGroupChecked() const;

    const kxButtonFields &Fields() const { return m_F; }
    bool IsPressed() const;
    bool IsHot() const;

signals:
    void MouseDown(short &Button, short &Shift, float &X, float &Y);
    void MouseUp(short &Button, short &Shift, float &X, float &Y);
    void MouseMove(short &Button, short &Shift, float &X, float &Y);
    void KeyDown(short &KeyCode, short &Shift);
    void KeyPress(short &KeyAscii);
    void KeyUp(short &KeyCode, short &Shift);
    void MouseOnButton(bool &OnButton);
    void Click();
    void DoubleClick(short &Button);
    void OLECompleteDrag(qint32 &Effect);
    void OLEDragDrop(const QMimeData *Data, qint32 &Effect, short &Button, short &Shift, float &X, float &Y);
    void OLEDragOver(const QMimeData *Data, qint32 &Effect, short &Button, short &Shift, float &X, float &Y,
                     short &State);
    void OLEGiveFeedback(qint32 &Effect, bool &DefaultCursors);
    void OLESetData(const QMimeData *Data, short &DataFormat);
    void OLEStartDrag(const QMimeData *Data, qint32 &AllowedEffects);

protected:
    bool event(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dragLeaveEvent(QDragLeaveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    // Drawing (kxButtons_H_draw.cpp): the full repaint (nothing while the delay flag is set), the
    // resize handling (surface, then region, layout and repaint unless delayed), the window shape,
    // the caption and picture layout, the derived colours, the caption font, the picture analysis,
    // and the release of the drawing resources.
    void Repaint();
    void ResizeHandling();
    void BuildRegion();
    void Relayout();
    void RecomputeColours();
    void RebuildFont();
    void AnalysePicture();
    void ReleaseDrawing();

    // Interaction (kxButtons_H_input.cpp).
    void PressHandling(short button, short shift, const QPointF &pos);
    void ClickHandling();
    void StartHover(bool leftHeld);
    void HoverCheck();
    bool CustomClickMove();
    bool PointerIsOnButton(const QPoint &globalPos) const;
    bool Contains(const QPoint &pos) const;
    QWidget *Container() const;
    void WriteContainerTag();
    void ContainerChanged();
    void ForwardArrowKey(const QKeyEvent *e);
    void RaiseDragOver(QDragMoveEvent *e, short state);
    QPointF ToScaleUnits(const QPointF &pixels) const;

    // Properties (kxButtons_H.cpp).
    void Report(const QString &key);
    void Inform(const QString &message);
    bool DesignMode() const;
    void SetAccessKey(const QChar &key);
    void SetState(quint16 bit, bool on);
    void FollowHoverBack();
    void EnabledChanged();
    void FontChanged();
    void ApplyPointer();

    // Persistence (kxButtons_H_persist.cpp).
    void ReadEnumeration(const kxPropertyBag &bag, const QString &key, qint32 defaultValue, qint32 last,
                         qint32 &field);

    kxButtonFields m_F;
    OleColor m_ForeColor = kxButton::SystemButtonText;
    qint32 m_MousePointer = 0;
    kxPicture m_MouseIcon;
    QString m_Tag;
    kxButtonHost *m_Host = nullptr;
    QTimer *m_HoverTimer = nullptr;
    int m_AccessKeyId = 0;
    bool m_ClickArmed = false;
    bool m_CaptionIsName = false; // a new button's caption follows its name
    std::unique_ptr<kxButtonPaintCache, kxButtonPaintCacheDeleter> m_Paint;
};
