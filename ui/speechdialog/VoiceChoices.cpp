#include "VoiceChoices.h"
#include <algorithm>
#include <iterator>

namespace {
// The Chinese voices by their file's name (two Cantonese voices share one language), in the
// order offered.
struct ChineseVoice
{
    const char *file;
    const char *caption;
};
const ChineseVoice kChinese[] = {
    {"cmn-latn-pinyin", "普通话（拼音）"},
    {"cmn", "普通话"},
    {"yue-latn-jyutping", "粤语（粤拼）"},
    {"yue", "粤语"},
    {"hak", "客家话"},
};

int ChineseRank(const VoiceInfo &voice)
{
    const QString file = voice.id.section(QLatin1Char('/'), -1).toLower();
    for (std::size_t i = 0; i < std::size(kChinese); ++i)
        if (file == QLatin1String(kChinese[i].file))
            return int(i);
    return -1;
}
}

QList<VoiceChoice> VoiceChoices(const QList<VoiceInfo> &voices)
{
    QList<VoiceInfo> ordered = voices;
    std::stable_sort(ordered.begin(), ordered.end(), [](const VoiceInfo &a, const VoiceInfo &b) {
        const auto rank = [](const VoiceInfo &v) { return ChineseRank(v) < 0 ? int(std::size(kChinese)) : ChineseRank(v); };
        return rank(a) < rank(b);
    });
    QList<VoiceChoice> choices;
    for (const VoiceInfo &voice : ordered) {
        const int rank = ChineseRank(voice);
        if (rank >= 0)
            choices.append({QString::fromUtf8(kChinese[rank].caption), voice.id, true});
        else
            choices.append({QStringLiteral("%1 (%2)").arg(voice.name, voice.language), voice.id, false});
    }
    return choices;
}
