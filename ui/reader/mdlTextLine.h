#pragma once
#include <QString>

class TextBox;

// Reading a multi-line text box line by line as the box wraps its text.
namespace mdlTextLine {

// The number of lines as the box currently wraps its text; at least 1.
qint32 GetLineCount(const TextBox &box);

// The text of the 0-based wrapped line `line`, without any line end, as the box holds it in the
// code page (a character GBK cannot hold reads as "?"); an empty line reads as " ".
QString GetLine(const TextBox &box, qint32 line);

}
