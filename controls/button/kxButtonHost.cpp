#include "kxButtonHost.h"
#include "kxButtons_H.h"

bool kxButtonHost::DisplayAsDefault(const kxButtons_H &button) const
{
    return button.hasFocus();
}

kxButtonHost &kxButtonHost::Standard()
{
    static kxButtonHost host;
    return host;
}
