#pragma once
#include <QString>

// A file's absolute path as a settings value. The settings file holds GBK text and drops every
// "?", so a path that would not come back unchanged (a "?", a character GBK lacks) is stored as
// a "file:" address with its bytes percent-encoded, which always does.
QString StoredPathText(const QString &path);
// The path a stored value names; an empty text when it names no absolute path.
QString PathFromStored(const QString &stored);
