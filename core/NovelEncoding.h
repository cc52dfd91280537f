#pragma once
#include "Novel.h"
#include <QDateTime>
#include <QString>
#include <optional>

// The settings section that holds the user's choice of encoding for a novel: the key is the
// novel's file name (a mark of it for a name no key line can hold), the value the encoding's name. A novel without a key (or with an empty or
// unknown value) is read in the encoding found in its bytes.
inline const QString kEncodingSection = QStringLiteral("BIANMA");

// The encoding the user chose for the novel named `fileName`; nullopt for "automatic".
std::optional<TextEncoding> ChosenEncoding(const QString &fileName);

// Keeps the choice for the novel named `fileName`; nullopt goes back to "automatic" (an empty
// value, written only when a choice was kept before). False when the settings file could not be
// written.
bool KeepChosenEncoding(const QString &fileName, std::optional<TextEncoding> encoding);

// The encoding the novel at `path` is read in: `given` (the command line's --encoding) when set,
// else the one chosen for it in the window (kept under the name the window keeps for it), else
// the one its bytes show.
TextEncoding NovelEncodingFor(const QString &path, std::optional<TextEncoding> given = std::nullopt);

// The novel at `path` with the encoding its bytes show, found again only when the file's size or
// time of change differs from the last call, so that every read can ask at no cost.
class DetectedEncoding
{
public:
    TextEncoding Of(const QString &path);

private:
    QString m_path;
    qint64 m_size = -1;
    QDateTime m_modified;
    TextEncoding m_encoding = TextEncoding::Gbk;
};
