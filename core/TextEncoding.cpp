#include "TextEncoding.h"

QString EncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Gbk: return QStringLiteral("GBK");
    case TextEncoding::Gb18030: return QStringLiteral("GB18030");
    case TextEncoding::Big5: return QStringLiteral("Big5");
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Utf16Le: return QStringLiteral("UTF-16LE");
    case TextEncoding::Utf16Be: return QStringLiteral("UTF-16BE");
    }
    return {};
}

std::optional<TextEncoding> EncodingFromName(const QString &name)
{
    for (TextEncoding encoding : kAllEncodings) {
        if (name.compare(EncodingName(encoding), Qt::CaseInsensitive) == 0)
            return encoding;
    }
    return std::nullopt;
}

const char *IcuConverterName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Gbk: return "windows-936";
    case TextEncoding::Gb18030: return "gb18030";
    case TextEncoding::Big5: return "windows-950";
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Utf16Le: return "UTF-16LE";
    case TextEncoding::Utf16Be: return "UTF-16BE";
    }
    return "windows-936";
}
