#include "mdlTextLine.h"
#include "Gbk.h"
#include "TextBox.h"

namespace mdlTextLine {

qint32 GetLineCount(const TextBox &box)
{
    return box.LineCount();
}

QString GetLine(const TextBox &box, qint32 line)
{
    const QString text = box.Line(line);
    if (text.isEmpty())
        return QStringLiteral(" ");
    return Gbk::toUnicode(Gbk::fromUnicode(text));
}

}
