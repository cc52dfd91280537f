#include "kxButtonHost.h"
#include "kxButtons_H.h"
#include "kxColour.h"

OleColor kxButtonHost::AmbientBackColor(const kxButtons_H &button) const
{
    const QWidget *container = button.parentWidget();
    if (!container)
        return kxButton::SystemButtonFace;
    const QPalette &palette = container->palette();
    const QPalette::ColorRole role = container->backgroundRole();
    if (!palette.isBrushSet(QPalette::Active, role))
        return kxButton::SystemButtonFace;
    return kxColour::fromQColor(palette.color(QPalette::Active, role));
}

bool kxButtonHost::DisplayAsDefault(const kxButtons_H &button) const
{
    return button.hasFocus();
}

kxButtonHost &kxButtonHost::Standard()
{
    static kxButtonHost host;
    return host;
}
