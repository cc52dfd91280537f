#include "NovelEncoding.h"
#include "EncodingDetection.h"
#include "Gbk.h"
#include "NovelName.h"
#include "mdlIniFile.h"
#include <QCryptographicHash>
#include <QFileInfo>

namespace {
// The key a novel's choice is kept under: its name, as older versions keep it, where a key line
// holds the name unchanged; otherwise (a "?", a character GBK lacks, a "=", a blank at an end, a
// start that reads as a section, a comment or a key of this kind) "~" and a mark of the name.
QString ChoiceKey(const QString &fileName)
{
    const bool holds = !fileName.contains(QLatin1Char('?')) && !fileName.contains(QLatin1Char('='))
        && fileName.trimmed() == fileName && !QStringLiteral("[;#~").contains(fileName.front())
        && Gbk::toUnicode(Gbk::fromUnicode(fileName)) == fileName;
    if (holds)
        return fileName;
    const QByteArray mark = QCryptographicHash::hash(fileName.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QLatin1Char('~') + QString::fromLatin1(mark);
}
}

std::optional<TextEncoding> ChosenEncoding(const QString &fileName)
{
    if (fileName.isEmpty())
        return std::nullopt;
    return EncodingFromName(mdlIniFile::ReadIniString(kEncodingSection, ChoiceKey(fileName), QString()));
}

bool KeepChosenEncoding(const QString &fileName, std::optional<TextEncoding> encoding)
{
    if (fileName.isEmpty())
        return false;
    if (!encoding && !ChosenEncoding(fileName))
        return true;
    return mdlIniFile::WriteIniString(kEncodingSection, ChoiceKey(fileName),
                                      encoding ? EncodingName(*encoding) : QString())
        != 0;
}

TextEncoding NovelEncodingFor(const QString &path, std::optional<TextEncoding> given)
{
    if (given)
        return *given;
    if (const std::optional<TextEncoding> chosen = ChosenEncoding(NovelNameFor(path)))
        return *chosen;
    return DetectFileEncoding(path);
}

TextEncoding DetectedEncoding::Of(const QString &path)
{
    const QFileInfo info(path);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.lastModified();
    if (path != m_path || size != m_size || modified != m_modified) {
        m_path = path;
        m_size = size;
        m_modified = modified;
        m_encoding = DetectFileEncoding(path);
    }
    return m_encoding;
}
