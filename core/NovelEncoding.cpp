#include "NovelEncoding.h"
#include "EncodingDetection.h"
#include "NovelName.h"
#include "mdlIniFile.h"
#include <QFileInfo>

std::optional<TextEncoding> ChosenEncoding(const QString &fileName)
{
    if (fileName.isEmpty())
        return std::nullopt;
    return EncodingFromName(mdlIniFile::ReadIniString(kEncodingSection, fileName, QString()));
}

bool KeepChosenEncoding(const QString &fileName, std::optional<TextEncoding> encoding)
{
    if (fileName.isEmpty())
        return false;
    if (!encoding && !ChosenEncoding(fileName))
        return true;
    return mdlIniFile::WriteIniString(kEncodingSection, fileName, encoding ? EncodingName(*encoding) : QString()) != 0;
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
