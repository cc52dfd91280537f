#pragma once
#include <QByteArray>
#include <QString>

// What the rewriter process writes, shared with the test that kills it. Round `which` (0 or 1)
// writes sideText(which) to the side file and settingsValue(which) to one key of the settings
// file; the two contents of each file differ in every part, so that a partly written file is
// never taken for a whole one.
namespace RewriterContents {

const QString SideFileName = QStringLiteral("novel.txt.find");
const QString Section = QStringLiteral("DANGQIAN");
const QString Key = QStringLiteral("WENJIANMING");

inline QString sideText(int which)
{
    const QString sentence = which == 0 ? QStringLiteral("天下大势，分久必合，合久必分。\r\n")
                                        : QStringLiteral("花果山福地，水帘洞洞天！\r\n");
    return sentence.repeated(40000);
}

inline QString settingsValue(int which)
{
    return which == 0 ? QStringLiteral("三国演义.txt") : QStringLiteral("西游记.txt");
}

}
