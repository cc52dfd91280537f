#pragma once
#include <QString>
#include <optional>

// The encodings a novel's bytes can be in. Every position in a novel stays a byte position in
// its file, whatever the encoding.
enum class TextEncoding { Gbk, Gb18030, Big5, Utf8, Utf16Le, Utf16Be };

// The code page of the settings file and of the texts measured in bytes for display (text-box
// lines, button captions): GBK, whatever the encoding of the novel being read.
constexpr TextEncoding kSystemCodePage = TextEncoding::Gbk;

// Every encoding, in the order the user is offered them.
constexpr TextEncoding kAllEncodings[] = {TextEncoding::Gbk,  TextEncoding::Gb18030,
                                          TextEncoding::Big5, TextEncoding::Utf8,
                                          TextEncoding::Utf16Le, TextEncoding::Utf16Be};

// The name shown to the user and kept in the settings file: "GBK", "GB18030", "Big5", "UTF-8",
// "UTF-16LE", "UTF-16BE".
QString EncodingName(TextEncoding encoding);

// The encoding of a name given by EncodingName (compared without regard to case); nullopt for
// any other text.
std::optional<TextEncoding> EncodingFromName(const QString &name);

// The bytes of the encoding's code unit: 2 for UTF-16, 1 for the others. A zero character is one
// zero code unit.
inline int CodeUnitSize(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be ? 2 : 1;
}

// The most bytes one character takes in the encoding.
inline int LongestCharacter(TextEncoding encoding)
{
    return encoding == TextEncoding::Gbk || encoding == TextEncoding::Big5 ? 2 : 4;
}

// The name of the encoding's ICU converter.
const char *IcuConverterName(TextEncoding encoding);
