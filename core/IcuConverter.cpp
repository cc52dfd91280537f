#include "IcuConverter.h"
#include <unicode/ucnv.h>
#include <cstdio>
#include <cstdlib>

void IcuConverterCloser::operator()(UConverter *converter) const
{
    ucnv_close(converter);
}

IcuConverter OpenIcuConverter(TextEncoding encoding)
{
    UErrorCode error = U_ZERO_ERROR;
    IcuConverter converter(ucnv_open(IcuConverterName(encoding), &error));
    if (U_FAILURE(error)) {
        const QString message = IcuConvertersMissingMessage({QString::fromLatin1(IcuConverterName(encoding))});
        std::fprintf(stderr, "tarrowin: %s\n", message.toLocal8Bit().constData());
        std::exit(EXIT_FAILURE);
    }
    // "?" in the encoding's own bytes.
    const char *question = "?";
    int32_t length = 1;
    if (encoding == TextEncoding::Utf16Le)
        question = "?\0", length = 2;
    else if (encoding == TextEncoding::Utf16Be)
        question = "\0?", length = 2;
    ucnv_setSubstChars(converter.get(), question, length, &error);
    return converter;
}

QStringList MissingConverters(const QStringList &converterNames)
{
    QStringList missing;
    for (const QString &name : converterNames) {
        UErrorCode error = U_ZERO_ERROR;
        const IcuConverter converter(ucnv_open(name.toLatin1().constData(), &error));
        if (U_FAILURE(error))
            missing << name;
    }
    return missing;
}

QStringList MissingIcuConverters()
{
    QStringList names;
    for (const TextEncoding encoding : kAllEncodings)
        names << QString::fromLatin1(IcuConverterName(encoding));
    return MissingConverters(names);
}

QString IcuConvertersMissingMessage(const QStringList &missing)
{
    return QStringLiteral("the ICU converter%1 %2 %3 not available: install the complete ICU data "
                          "(Debian's libicu package) to read novels in these encodings")
        .arg(missing.size() == 1 ? QString() : QStringLiteral("s"), missing.join(QStringLiteral(", ")),
             missing.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
}
