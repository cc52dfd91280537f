#include "LineAround.h"
#include "CharacterStart.h"
#include "TextPiece.h"
#include "mdlFileBinText.h"
#include <algorithm>

LineAround LineAroundPiece(const Novel &novel, ByteRange bytes)
{
    LineAround around;
    if (bytes.isEmpty())
        return around;
    BytePos from(std::max<qint64>(1, bytes.start.value() - kLineAroundBytes));
    from = from + BytesToCharacterStart(novel, from);
    if (from < bytes.start) {
        const QString before = mdlFileBinText::ReadTextPiece(novel, from, bytes.start - from).value_or(QString());
        around.before = before.mid(before.lastIndexOf(u'\n') + 1);
    }
    BytePos at = bytes.end;
    const QString after = TextBeforeNul(mdlFileBinText::ReadTextPiece(novel, at, kLineAroundBytes).value_or(QString()));
    const qsizetype lineEnd = after.indexOf(u'\n');
    around.after = lineEnd < 0 ? after : after.left(lineEnd + 1);
    return around;
}
