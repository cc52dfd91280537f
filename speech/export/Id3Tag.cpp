#include "Id3Tag.h"
#include "AudioFileWriter.h"
#include <taglib/id3v2tag.h>
#include <taglib/textidentificationframe.h>

namespace {
void AddText(TagLib::ID3v2::Tag &tag, const char *frameId, const QString &text)
{
    if (text.isEmpty())
        return;
    auto *frame = new TagLib::ID3v2::TextIdentificationFrame(frameId, TagLib::String::UTF16);
    frame->setText(TagLib::String(text.toStdString(), TagLib::String::UTF8));
    tag.addFrame(frame); // the tag owns it
}
}

QByteArray Id3v2Tag(const AudioTags &tags)
{
    TagLib::ID3v2::Tag tag;
    AddText(tag, "TIT2", tags.title);
    AddText(tag, "TALB", tags.album);
    AddText(tag, "TRCK", tags.track > 0 ? QString::number(tags.track) : QString());
    if (tag.isEmpty())
        return QByteArray();
    const TagLib::ByteVector bytes = tag.render(3);
    return QByteArray(bytes.data(), int(bytes.size()));
}
