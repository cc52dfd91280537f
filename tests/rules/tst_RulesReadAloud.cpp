#include "TestRegistry.h"
#include "EspeakVoice.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "ReadingSession.h"
#include "RuleFile.h"
#include "RulePresets.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// A novel read aloud by the real voice (silent output) with the ready-made rules on: what they
// remove is never said, every word heard and the place kept lie in the novel's own bytes, and a
// rule of the novel's own that does not compile is told.
class TestRulesReadAloud : public QObject
{
    Q_OBJECT
private slots:
    void theVoiceSaysNoneOfWhatThePresetsRemove();
};

namespace {
const QStringList kRemoved{u"请记住本站域名：ｗｗｗ．ｅｘａｍｐｌｅ．ｃｏｍ\r\n"_qs, u"书友群 biquge.la 欢迎加入\r\n"_qs,
                           u"【作者有话说】今天两更，求月票。\r\n"_qs, u"（求月票）"_qs, u"最新章节请访问本站。"_qs};

QString NovelText()
{
    return u"第一章 山门\r\n他走进了山门。\r\n"_qs + kRemoved[0] + u"师父说，明日再来。\r\n"_qs + kRemoved[1]
        + kRemoved[2] + u"他点头答应了。"_qs + kRemoved[3] + u"\r\n天色暗了。"_qs + kRemoved[4] + u"\r\n"_qs;
}

// The bytes of `part` in the GBK novel.
ByteRange BytesOf(const QByteArray &novel, const QString &part)
{
    const qint64 at = novel.indexOf(Gbk::fromUnicode(part));
    return ByteRange::Of(BytePos(at + 1), Gbk::fromUnicode(part).size());
}
}

void TestRulesReadAloud::theVoiceSaysNoneOfWhatThePresetsRemove()
{
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    const QByteArray novel = Gbk::fromUnicode(NovelText());
    QFile file(dir.filePath(u"a.txt"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(novel) == novel.size());
    file.close();
    QVector<TextRule> presets = PresetRules();
    for (TextRule &rule : presets)
        rule.enabled = true;
    QVERIFY(WriteRuleFile(ListenerRulesFilePath(), presets));
    TextRule broken;
    broken.name = u"坏规则"_qs;
    broken.pattern = u"(山门"_qs;
    broken.isRegex = true;
    QVERIFY(WriteRuleFile(SideFilePath(u"a.txt"_qs, NovelRulesSuffix), {broken}));

    ReadingSession session;
    SpeechSettings fastest;
    fastest.rate = SpeechSettings::MaximumRate;
    session.setVoice(std::make_unique<EspeakVoice>(fastest, EspeakVoice::Output::Silent));
    session.setPieceLength(60);
    session.setNovel(u"a.txt"_qs);
    session.restart();
    QSignalSpy words(&session, &ReadingSession::wordHeard);
    QSignalSpy notices(&session, &ReadingSession::notice);
    QSignalSpy places(&session, &ReadingSession::placeTextChanged);
    session.start();
    QTRY_COMPARE_WITH_TIMEOUT(session.state(), ReadingSession::State::Stopped, 60000);

    QString heard;
    for (const QList<QVariant> &word : words) {
        const ByteRange bytes = word.at(2).value<ByteRange>();
        for (const QString &removed : kRemoved) {
            const ByteRange ad = BytesOf(novel, removed);
            QVERIFY2(bytes.end <= ad.start || bytes.start >= ad.end, qPrintable(removed));
        }
        heard += Gbk::toUnicode(novel.mid(bytes.start.value() - 1, bytes.length()));
    }
    for (const QString &story : {u"山门"_qs, u"师父"_qs, u"答应"_qs, u"天色"_qs})
        QVERIFY2(heard.contains(story), qPrintable(heard));
    QVERIFY(!places.isEmpty());
    for (const QList<QVariant> &place : places)
        QVERIFY(NovelText().contains(place.at(0).toString()));
    // The novel's own rule that does not compile is told once; the ready-made ones all work.
    QStringList told;
    for (const QList<QVariant> &notice : notices)
        told << notice.at(0).toString();
    told.removeAll(QString());
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].contains(u"坏规则") && told[0].contains(u"已关闭"), qPrintable(told[0]));
}

TARROWIN_GUILESS_TEST_MAIN(TestRulesReadAloud)
#include "tst_RulesReadAloud.moc"
