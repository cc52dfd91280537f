#pragma once
#include <QString>
#include <QStringList>

// The reader's design font and what stands in for it on this system.
namespace KaiFont {

inline const QString DesignFamily = QStringLiteral("楷体_GB2312");

// The installed family that best stands in for the design font: AR PL UKai (simplified Chinese
// first), else any other family with "Kai" in its name; "" when none is installed.
QString StandIn(const QStringList &installedFamilies);

// Makes a font asking for the design family use the stand-in. Safe to call more than once.
void InstallSubstitute();

}
