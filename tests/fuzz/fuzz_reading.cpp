// The reading layer on any text, and the listener's readings on any file.
//  The words cover the text in order without gaps; a word with syllables is Chinese or a number.
//  The spoken text speaks for the text in order, and word events anywhere in it give words of
//  the text that never go back or overlap.
#include "FuzzSupport.h"
#include "ListenerReadings.h"
#include "MandarinDictionary.h"
#include "MandarinReader.h"
#include "SpeechText.h"
#include <memory>

namespace {
const MandarinDictionary &dictionary()
{
    static const std::unique_ptr<MandarinDictionary> opened = MandarinDictionary::open(QStringLiteral(TARROWIN_DICTIONARY_FILE));
    FUZZ_CHECK(opened);
    return *opened;
}

void checkWords(const MandarinReader &reader, const QString &text)
{
    int at = 0;
    for (const ReadWord &word : reader.read(text)) {
        FUZZ_CHECK(word.position == at && word.length > 0);
        FUZZ_CHECK(word.syllables.isEmpty() || word.kind != ReadWord::Other);
        at += word.length;
    }
    FUZZ_CHECK(at == text.size());
}

void checkEvents(const SpeechText &spoken, FuzzInput &input, int textLength)
{
    WordEventCleaner cleaner(spoken);
    int end = 0;
    for (int i = 0; i < 16; ++i) {
        const int position = input.take<uint8_t>() % (spoken.codePointCount() + 2);
        const int length = input.take<uint8_t>() % 8;
        if (const std::optional<WordSpan> word = cleaner.accept(position, length)) {
            FUZZ_CHECK(word->position >= end && word->length > 0 && word->end() <= textLength);
            end = word->end();
        }
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t flags = input.take<uint8_t>();
    const QByteArray events = input.takeBytes(32);
    const QString text = QString::fromUtf8(input.rest());
    const ListenerReadings own = ListenerReadings::parse(text, dictionary());
    const MandarinReader reader(dictionary(), (flags & 1) ? &own : nullptr);
    checkWords(reader, text);
    const SpeechText spoken = PrepareSpeechText(text, &reader, flags & 2);
    int covered = 0;
    for (const WordSpan &source : spoken.sources) {
        FUZZ_CHECK(source.position >= covered || source.end() == covered);
        covered = std::max(covered, source.end());
    }
    FUZZ_CHECK(spoken.sources.size() == spoken.codePoints.size());
    FuzzInput eventInput(reinterpret_cast<const uint8_t *>(events.constData()), size_t(events.size()));
    checkEvents(spoken, eventInput, int(SpeakableText(text).size()));
    return 0;
}
