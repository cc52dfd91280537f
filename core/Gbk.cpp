#include "Gbk.h"
#include "TextCodec.h"
#include "TextDecoder.h"

namespace Gbk {

QString toUnicode(const char *bytes, qint64 size)
{
    QString text;
    TextDecoder decoder(kSystemCodePage, TextDecoder::CutCharacter::AsZero);
    decoder.decode(bytes, size, true, text);
    return text;
}

QByteArray fromUnicode(const QString &text)
{
    return TextCodec::Encode(kSystemCodePage, text);
}

qint64 byteLength(const QString &text)
{
    return TextCodec::ByteLength(kSystemCodePage, text);
}

}
