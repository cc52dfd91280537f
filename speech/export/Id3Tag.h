#pragma once
#include <QByteArray>

struct AudioTags;

// An ID3v2.3 tag of the texts (title, album, track number), its texts in UTF-16 so that Chinese
// reads as written in every player; written ahead of an MP3 file's sound. Empty for no texts.
QByteArray Id3v2Tag(const AudioTags &tags);
