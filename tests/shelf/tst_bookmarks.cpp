#include "TestRegistry.h"
#include "BookmarkFile.h"
#include "ChapterCache.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "StateFolder.h"
#include "../core/UnwritableFolder.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Bookmarks as they are set, kept and found again: the sentence a mark starts at, a mark found
// after an edit moved its text, and the file that keeps them across a restart, also for a novel
// whose folder cannot be written.
class tst_Bookmarks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    Novel write(const QString &text, const QString &name = QStringLiteral("novel.txt"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(Gbk::fromUnicode(text));
        return Novel{path, TextEncoding::Gbk};
    }
    static BytePos at(const QString &text, qsizetype characters)
    {
        return BytePos(1 + Gbk::fromUnicode(text.left(characters)).size());
    }

private slots:
    void initTestCase() { SetProgramFolder(m_dir.path()); }

    void marksTheSentenceHeard_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("heard");
        QTest::addColumn<QString>("startsWith");
        QTest::newRow("after a full stop") << "第一句。第二句话在这里。" << "话" << "第二句话在这里。";
        QTest::newRow("the quote closing the last sentence") << "他说：“走吧。”然后走了。" << "走了" << "然后走了。";
        QTest::newRow("a new line and its indent") << "标题\n　　正文开始了，他走了。" << "他" << "正文开始了，他走了。";
        QTest::newRow("no end before it: the start of the novel") << "　　开头一句，没有句号" << "句号" << "开头一句，没有句号";
    }
    void marksTheSentenceHeard()
    {
        QFETCH(QString, text);
        QFETCH(QString, heard);
        QFETCH(QString, startsWith);
        const Novel novel = write(text);
        const std::optional<Bookmark> mark = MarkAt(novel, at(text, text.indexOf(heard)), true);
        QVERIFY(mark);
        QCOMPARE(mark->text, startsWith);
        QCOMPARE(mark->at, at(text, text.indexOf(startsWith)));
    }

    // A mark set at the start of `marked` in `before` is looked for in `after`: at the occurrence
    // starting `expected` characters in, or (-1) nowhere.
    void foundAfterAnEdit_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("markedAt");
        QTest::addColumn<int>("expected");
        const QString target = QStringLiteral("目标句子就在这里，后面还有一些文字让它足够长。");
        const QString before = QStringLiteral("前言。") + target + QStringLiteral("后文。");
        QTest::newRow("unchanged") << before << before << 3 << 3;
        QTest::newRow("text inserted before it") << before << QStringLiteral("新加的一大段文字。") + before << 3 << 12;
        QTest::newRow("text cut before it") << before << before.mid(3) << 3 << 0;
        QTest::newRow("its text gone") << before << QStringLiteral("前言。后文。") << 3 << -1;
        const QString repeated = QStringLiteral("重复的句子").repeated(10);
        const QString twice = QStringLiteral("开头。") + repeated + QStringLiteral("无关").repeated(300) + repeated
            + QStringLiteral("结尾。");
        const int second = int(twice.lastIndexOf(repeated));
        QTest::newRow("repeated text: the occurrence nearest the mark")
            << twice << QStringLiteral("插入。") + twice << second << second + 3;
    }
    void foundAfterAnEdit()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, markedAt);
        QFETCH(int, expected);
        const std::optional<Bookmark> mark = MarkAt(write(before), at(before, markedAt), false);
        QVERIFY(mark);
        const std::optional<BytePos> found = FindMark(write(after), *mark);
        QCOMPARE(found.has_value(), expected >= 0);
        if (found)
            QCOMPARE(*found, at(after, expected));
    }

    void keptAcrossARestart()
    {
        const Novel novel = write(QStringLiteral("第一章\n甲乙丙丁。戊己庚辛。"));
        std::optional<Bookmark> first = MarkAt(novel, BytePos(1), false);
        std::optional<Bookmark> second = MarkAt(novel, BytePos(9), false);
        QVERIFY(first && second);
        second->note = QStringLiteral("这里\n要再听");
        QVERIFY(BookmarkFile::Save(novel.path, {*first, *second}));
        const std::optional<QList<Bookmark>> read = BookmarkFile::Load(novel.path);
        QVERIFY(read);
        QCOMPARE(*read, (QList<Bookmark>{*first, *second}));
        QVERIFY(!QFile::exists(novel.path + QStringLiteral(".find"))); // a file of their own
    }

    void exportedInTheOrderOfTheNovelUnderTheirChapters()
    {
        const QString text = QStringLiteral("第一章 開始\n甲乙丙丁。\n第二章 後來\n戊己庚辛。\n");
        const Novel novel = write(text, QStringLiteral("md.txt"));
        std::optional<Bookmark> early = MarkAt(novel, at(text, text.indexOf(QStringLiteral("乙"))), true);
        std::optional<Bookmark> late = MarkAt(novel, at(text, text.indexOf(QStringLiteral("己"))), true);
        QVERIFY(early && late);
        early->note = QStringLiteral("再听\n一遍");
        const std::optional<ChapterList> chapters = LoadOrScanChapters(novel);
        QVERIFY(chapters);
        const QString when = early->when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        QCOMPARE(BookmarkFile::Markdown(QStringLiteral("md"), {*late, *early}, *chapters),
                 QStringLiteral("# 《md》书签\n\n## 第一章 開始\n\n- %1 %2\n  > 再听 一遍\n\n## 第二章 後來\n\n- %3 戊己庚辛。\n")
                     .arg(when, early->text.simplified(), late->when.toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
    }

    void damagedFileIsNeverWrittenOver()
    {
        const Novel novel = write(QStringLiteral("甲乙丙丁。"), QStringLiteral("damaged.txt"));
        QFile file(novel.path + BookmarkFile::kSuffix);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"bookmarks\": [{\"at\": 1");
        file.close();
        QVERIFY(!BookmarkFile::Load(novel.path));
    }

    void keptInTheStateFolderWhenTheNovelsFolderCannotBeWritten()
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("shut"));
        const Novel novel = write(QStringLiteral("甲乙丙丁。戊己庚辛。"), QStringLiteral("shut/novel.txt"));
        const std::optional<Bookmark> mark = MarkAt(novel, BytePos(11), false);
        QVERIFY(mark);
        const UnwritableFolder shut(QFileInfo(novel.path).path());
        if (!shut.works())
            QSKIP("the folder cannot be made unwritable here");
        QVERIFY(BookmarkFile::Save(novel.path, {*mark}));
        QVERIFY(BookmarkFile::PathFor(novel.path).startsWith(StateFolder()));
        QVERIFY(!QFile::exists(novel.path + BookmarkFile::kSuffix));
        QCOMPARE(BookmarkFile::Load(novel.path), std::optional<QList<Bookmark>>(QList<Bookmark>{*mark}));
    }
};

TARROWIN_GUILESS_TEST_MAIN(tst_Bookmarks)
#include "tst_bookmarks.moc"
