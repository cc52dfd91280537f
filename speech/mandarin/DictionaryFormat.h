#pragma once
#include <cstdint>

// The layout of the compiled Mandarin dictionary, written by the build tool and mapped by the
// program. All numbers are little-endian, as on the machines the program is built for; the
// tables follow the header in the order of its offsets, each aligned to 4 bytes.
namespace DictionaryFormat {

constexpr char Magic[8] = {'T', 'R', 'W', 'P', 'Y', 'D', '0', '1'};

struct Header
{
    char magic[8];
    uint32_t fileSize;
    uint32_t baseCount;     // syllables without tone, 8 bytes each ("zhuang\0\0")
    uint32_t baseOffset;
    uint32_t entryCount;    // words sorted by their UTF-16 units
    uint32_t entryOffset;
    uint32_t textOffset;    // the words' UTF-16 units, one after another
    uint32_t readingOffset; // the words' syllables, one uint16_t each (Syllable::code)
    float unknownLogFrequency; // the weight of a character in no word
    uint32_t longestWord;   // in UTF-16 units
};

struct Entry
{
    uint32_t text;          // index of the first UTF-16 unit
    uint32_t reading;       // index of the first syllable
    float logFrequency;     // natural log of the word's share of running text
    uint16_t length;        // UTF-16 units
    uint16_t syllables;
};

constexpr int BaseBytes = 8;

}
