#include "EncodingDetection.h"
#include "CharacterRules.h"
#include "TextCodec.h"
#include <algorithm>
#include <bitset>
#include <QFile>
#include <QFileInfo>

namespace {

struct Mark {
    TextEncoding encoding;
    QByteArray bytes;
};

const Mark kMarks[] = {
    {TextEncoding::Utf8, QByteArray("\xEF\xBB\xBF")},
    {TextEncoding::Utf16Le, QByteArray("\xFF\xFE")},
    {TextEncoding::Utf16Be, QByteArray("\xFE\xFF")},
};

// The full length of the UTF-8 character that `lead` begins; 0 for a byte that begins none.
int Utf8SequenceLength(uchar lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xC2 || lead > 0xF4)
        return 0;
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
}

// Valid UTF-8 with at least one multi-byte character; a valid beginning of a character at the
// end of the sample counts.
bool IsMultiByteUtf8(const QByteArray &sample)
{
    bool multiByte = false;
    const qsizetype size = sample.size();
    for (qsizetype i = 0; i < size;) {
        const int length = CharacterRules::CharacterLength(TextEncoding::Utf8, sample.constData() + i, size - i);
        if (length == 0)
            break;
        if (length != Utf8SequenceLength(uchar(sample.at(i))))
            return false;
        multiByte = multiByte || length > 1;
        i += length;
    }
    return multiByte;
}

bool HoldsFourByteGb18030(const QByteArray &sample)
{
    const qsizetype size = sample.size();
    for (qsizetype i = 0; i < size;) {
        const int length = CharacterRules::CharacterLength(TextEncoding::Gb18030, sample.constData() + i, size - i);
        if (length == 0)
            break;
        if (length == 4)
            return true;
        i += length;
    }
    return false;
}

// Characters a Chinese novel is full of, in simplified and traditional forms. Bytes read in the
// wrong one of two double-byte encodings decode to rare characters, symbols and bytes that do
// not convert, so the right encoding is the one whose text holds more of these.
// All are CJK ideographs (U+4E00 to U+9FFF), kept as one bit each for a quick look-up.
constexpr char16_t kFirstIdeograph = 0x4E00;
constexpr char16_t kLastIdeograph = 0x9FFF;
using IdeographSet = std::bitset<kLastIdeograph - kFirstIdeograph + 1>;

const IdeographSet &FrequentCharacters()
{
    static const IdeographSet characters = [] {
        const QString list = QStringLiteral(
            "的一是不了人我在有他这为之大来以个中上们到说国和地也子时道出而要于就下得可你年生自会那后能对着事其里所去行过家十用发天如然作方成者多日都三小军二无同么经法当起与好看学进种将还分此心前面又定见只主没公从知使点已现本意动两回手老问长头女把力高正想外开些因样王全被间身明气文实相美总等向口位再给门东西南北最合路走林声马帝兵城山水白红黑金木火土月花草风云雨雪春夏秋冬叫话听吃坐站师父母兄弟妻儿孙太皇宫殿朝臣官府州县乡村民百千万钱银衣食饭酒茶刀剑枪弓箭战杀死伤血命神仙佛妖怪魔鬼龙虎猴猪牛羊狗鸟鱼星辰乾坤阴阳五八卦德书信笔纸墨字读写诗词歌曲唱乐音言语论议请谢罪恩情爱恨怒喜悲愁忧惧怕惊奇异常非但却便乃亦且即若虽则故它彼何谁哪什怎几少更很极甚尤才刚曾必须应该肯敢愿欲打拿放收取送借买卖关入归往返落左右内边旁侧远近低短轻重快慢早晚新旧坏丑真假错存亡败失胜负强弱贵贱贫富男夫妇君徒仆宾客朋友敌众物况候夜晨昏今古昔這為來個們說國時於會後對著過發軍無麼經當與學進種將還見沒從點現動兩問長頭開樣間氣實總給門東聲馬紅風雲話聽師兒孫宮縣鄉萬錢銀飯劍槍戰殺傷龍豬鳥魚陰陽書筆紙讀寫詩詞樂語論議請謝愛憂懼驚異卻雖則誰幾極剛須應該願買賣關歸內邊側遠輕舊壞醜錯敗勝負強貴賤貧婦僕賓敵眾況");
        IdeographSet set;
        for (const QChar c : list)
            set.set(c.unicode() - kFirstIdeograph);
        return set;
    }();
    return characters;
}

// How much a decoded text looks like Chinese prose: one for each frequent character, less four for
// each byte that did not convert, which a text in its own encoding hardly ever holds.
qint64 ChineseScore(const QString &text)
{
    const IdeographSet &frequent = FrequentCharacters();
    qint64 score = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0xFFFD)
            score -= 4;
        else if (u >= kFirstIdeograph && u <= kLastIdeograph && frequent.test(u - kFirstIdeograph))
            ++score;
    }
    return score;
}

bool HoldsByteAbove7F(const QByteArray &sample)
{
    return std::any_of(sample.cbegin(), sample.cend(), [](char c) { return uchar(c) >= 0x80; });
}

// Big5 when the sample's double-byte characters read as Chinese prose in Big5 better than in GBK;
// a traditional-character novel in GBK reads better in GBK, whose table holds those characters too.
bool ReadsBetterAsBig5(const QByteArray &sample)
{
    if (!HoldsByteAbove7F(sample))
        return false;
    // The sample may end inside a character: both readings stop at the same last whole one.
    const qint64 gbk = ChineseScore(TextCodec::Decode(TextEncoding::Gbk, sample));
    const qint64 big5 = ChineseScore(TextCodec::Decode(TextEncoding::Big5, sample));
    return big5 > gbk && big5 > 0;
}

// A character that UTF-16 prose is made of: printable ASCII and line breaks, CJK ideographs,
// their punctuation and full-width forms, general punctuation (“”…—) and the middle dot.
bool IsProseCharacter(char16_t c)
{
    return (c >= 0x20 && c < 0x7F) || c == u'\r' || c == u'\n' || c == u'\t' || c == 0xB7
        || (c >= 0x2000 && c < 0x2070) || (c >= 0x3000 && c < 0x3040) || (c >= 0x3400 && c < 0x4DC0)
        || (c >= 0x4E00 && c < 0xA000) || (c >= 0xFF00 && c < 0xFFF0);
}

// UTF-16 without a byte-order mark: the sample read in one byte order is prose throughout. The
// order whose units' high bytes hold more of the zero bytes (ASCII characters, line breaks) is
// tried first: ASCII read in the wrong order gives ideographs (U+4300 for "C"). A sample without
// zero bytes must besides read as Chinese better than in GBK, since pairs of Latin letters read as
// ideographs too (U+6161 for "aa"), among them frequent ones (U+6162, 慢, for "ab").
std::optional<TextEncoding> Utf16WithoutMark(const QByteArray &sample)
{
    const qsizetype length = sample.size() & ~qsizetype(1);
    if (length < 4)
        return std::nullopt;
    qsizetype zeros[2] = {0, 0};
    for (qsizetype i = 0; i < length; ++i)
        zeros[i % 2] += sample.at(i) == '\0' ? 1 : 0;
    const bool anyZero = zeros[0] + zeros[1] > 0;
    const TextEncoding first = zeros[1] >= zeros[0] ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
    const TextEncoding second = first == TextEncoding::Utf16Le ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
    for (const TextEncoding encoding : {first, second}) {
        const QString text = TextCodec::Decode(encoding, sample.constData(), length);
        auto prose = std::count_if(text.cbegin(), text.cend(), [](QChar c) { return IsProseCharacter(c.unicode()); });
        // The last unit may be the first half of a pair that the sample's end cut off.
        if (text.back() == QChar(0xFFFD) || text.back().isHighSurrogate())
            ++prose;
        if (prose * 100 < text.size() * 95)
            continue;
        if (anyZero)
            return encoding;
        // A quarter and more of Chinese prose is frequent characters; a few units prove nothing.
        const qint64 score = ChineseScore(text);
        if (text.size() >= 8 && score * 4 >= text.size()
            && score > ChineseScore(TextCodec::Decode(TextEncoding::Gbk, sample)))
            return encoding;
    }
    return std::nullopt;
}
}

int ByteOrderMarkLength(TextEncoding encoding, const QByteArray &start)
{
    for (const Mark &mark : kMarks) {
        if (mark.encoding == encoding && start.startsWith(mark.bytes))
            return int(mark.bytes.size());
    }
    return 0;
}

TextEncoding DetectEncoding(const QByteArray &sample)
{
    for (const Mark &mark : kMarks) {
        if (sample.startsWith(mark.bytes))
            return mark.encoding;
    }
    if (IsMultiByteUtf8(sample))
        return TextEncoding::Utf8;
    if (const std::optional<TextEncoding> utf16 = Utf16WithoutMark(sample))
        return *utf16;
    if (HoldsFourByteGb18030(sample))
        return TextEncoding::Gb18030;
    return ReadsBetterAsBig5(sample) ? TextEncoding::Big5 : TextEncoding::Gbk;
}

TextEncoding DetectFileEncoding(const QString &path)
{
    // Only a regular file is looked into: opening a pipe or a device named as a novel would
    // block until something writes to it.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return TextEncoding::Gbk;
    return DetectEncoding(file.read(kDetectionSampleBytes));
}
