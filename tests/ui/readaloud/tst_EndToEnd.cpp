#include "TestRegistry.h"
#include "MarkColour.h"
#include "MprisClient.h"
#include "MprisService.h"
#include "PrivateSessionBus.h"
#include "ProgramRun.h"
#include "ReadAloudDesign.h"
#include "ReaderLayout.h"
#include "SpeechSettings.h"
#include "TextCodec.h"
#include "XUser.h"
#include "frmTTS.h"
#include <QApplication>
#include <QDBusConnectionInterface>
#include <QImage>
#include <QTest>
#include <memory>
#include <optional>

// The built program in a real window under Xvfb, speaking to a PulseAudio null sink, driven
// through the X server as a user would: choose a novel, start reading, hear it, close; start
// again and find the piece where reading stopped. Screenshots go to the build folder.
// The test lays out a read-aloud window of its own on the program's display, to know where its
// controls are.
class TestEndToEnd : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tarrowin_test::UseTestDisplay(); }
private slots:
    void initTestCase();
    void readCloseAndResume_data();
    void readCloseAndResume();
    void novelOutsideTheFolderGoesOnAfterARestart();
    void mediaKeysFromAnotherProgram();
    void followAlongMarksTheWordHeard();

private:
    // The program's environment: its own folders, the Xvfb display and the null sink's server.
    QProcessEnvironment windowEnvironment(const ProgramFolderCopy &folder) const;

    QString m_display;
    QString m_sink;
};

namespace {
using namespace ReadAloudDesign;
constexpr int kWait = 20000;

// Where the window's controls are on the screen: a read-aloud window of the same size laid out
// here, on the same display, never shown on it.
struct Places
{
    QPoint fileName, firstListEntry, start, followAlong;
    double twipsPerPixel;
};

Places PlacesIn(const QRect &window)
{
    frmTTS probe;
    probe.setWindowTitle(QStringLiteral("probe"));
    probe.setAttribute(Qt::WA_DontShowOnScreen);
    probe.show();
    probe.resize(window.size());
    const auto at = [&](const char *name, std::optional<QPoint> inside = std::nullopt) {
        const QWidget *w = probe.findChild<QWidget *>(QLatin1String(name));
        return window.topLeft() + w->mapTo(&probe, inside.value_or(w->rect().center()));
    };
    const double tpp = kClientWidth / window.width();
    return {at("txtFilePathName"), at("filLangDuWenJian", QPoint(qRound(600 / tpp), qRound(150 / tpp))),
            at("cmdSpeak0"), at("cmdBianTingBianKan"), tpp};
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A picture of one window (the whole screen by default) in the artefact folder; returns its path.
QString Screenshot(const QString &display, const QString &name, const QString &window = QStringLiteral("root"))
{
    const QString folder = QStringLiteral(TARROWIN_ARTIFACT_DIR);
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name;
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-display"), display, QStringLiteral("-window"), window, path});
    return path;
}

// The page box of a reader window of `size` pixels as the reader lays it out when it first opens:
// the side bar shown, "更多显示" off.
QRect PageArea(QSize size, double twipsPerPixel)
{
    ReaderLayoutInput in;
    in.clientWidth = size.width() * twipsPerPixel;
    in.clientHeight = size.height() * twipsPerPixel;
    in.moreShown = false;
    const TwipsRect page = ArrangeReader(in).txtTarrowin;
    return QRect(qRound(page.left / twipsPerPixel), qRound(page.top / twipsPerPixel),
                 qRound(page.width / twipsPerPixel), qRound(page.height / twipsPerPixel));
}

// How many pixels of `area` in `image` are exactly `colour`.
int PixelsOf(const QImage &image, const QRect &area, const QColor &colour)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb();
    return count;
}
}

QProcessEnvironment TestEndToEnd::windowEnvironment(const ProgramFolderCopy &folder) const
{
    QProcessEnvironment env = folder.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + qEnvironmentVariable("XDG_RUNTIME_DIR")
                                                   + QStringLiteral("/pulse/native"));
    return env;
}

void TestEndToEnd::initTestCase()
{
    m_display = qEnvironmentVariable("TARROWIN_XVFB_DISPLAY");
    m_sink = qEnvironmentVariable("TARROWIN_NULL_SINK");
    if (m_display.isEmpty() || m_sink.isEmpty())
        QSKIP("needs the Xvfb display and null sink of scripts/test-services.sh");
    if (!QFile::exists(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt")))
        QSKIP("the corpus folder with xiyouji.txt is not there");
}

// Loudest sample the sink plays within `ms` milliseconds (the services keep a silent stream on it).
int LoudestOnSink(const QString &sink, int ms)
{
    QProcess record;
    record.start(QStringLiteral("parec"), {QStringLiteral("--device=") + sink + QStringLiteral(".monitor"),
                                           QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                                           QStringLiteral("--rate=22050"), QStringLiteral("--channels=1")});
    record.waitForStarted();
    QTest::qWait(ms);
    const QByteArray bytes = record.readAllStandardOutput();
    record.kill();
    record.waitForFinished();
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        loudest = std::max(loudest, std::abs(int(qint16(quint8(bytes[i]) | (quint8(bytes[i + 1]) << 8)))));
    return loudest;
}

// The novel as it lies in the corpus (GBK), and in UTF-8 without a byte-order mark: the program
// finds the encoding by itself and keeps the place in it.
void TestEndToEnd::readCloseAndResume_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::newRow("GBK") << TextEncoding::Gbk;
    QTest::newRow("UTF-8 without a mark") << TextEncoding::Utf8;
}

void TestEndToEnd::readCloseAndResume()
{
    QFETCH(TextEncoding, encoding);
    ProgramFolderCopy folder;
    const QString text = TextCodec::Decode(TextEncoding::Gbk, ReadFile(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt")));
    {
        QFile novel(folder.path(QStringLiteral("xiyouji.txt")));
        QVERIFY(novel.open(QIODevice::WriteOnly));
        QVERIFY(novel.write(TextCodec::Encode(encoding, text)) > 0);
    }
    // The place kept in ".find" is text of the novel, in its encoding.
    auto isTextOfTheNovel = [&](const QByteArray &place) {
        const QString decoded = TextCodec::Decode(encoding, place);
        return !decoded.isEmpty() && !decoded.contains(QChar(0xFFFD)) && text.contains(decoded);
    };
    qputenv("XDG_CONFIG_HOME", folder.path(QStringLiteral("config")).toLocal8Bit());
    SpeechSettings fastest;
    fastest.rate = SpeechSettings::MaximumRate;
    QVERIFY(SaveSpeechSettings(fastest));

    QProcessEnvironment env = windowEnvironment(folder);
    XUser user(m_display);
    QVERIFY(user.connected());
    const QString findPath = folder.path(QStringLiteral("xiyouji.txt.find"));

    std::unique_ptr<QProcess> program(folder.start(env));
    unsigned long window = 0;
    // The sample built into the program opens first.
    QTRY_VERIFY_WITH_TIMEOUT((window = user.findWindow(QStringLiteral("朗读 - 西游记"), true)) != 0, kWait);
    const Places places = PlacesIn(user.geometry(window));
    QTest::qWait(500);
    user.doubleClick(places.fileName);
    QTest::qWait(500);
    Screenshot(m_display, QStringLiteral("e2e-1-file-list.png"));
    user.doubleClick(places.firstListEntry);
    QTRY_VERIFY_WITH_TIMEOUT(user.findWindow(QStringLiteral("朗读 - xiyouji"), true) == window, kWait);
    QTRY_VERIFY_WITH_TIMEOUT(!ReadFile(findPath).isEmpty(), kWait); // written empty first as the sample gives way
    const QByteArray firstPiece = ReadFile(findPath);
    QVERIFY(isTextOfTheNovel(firstPiece));
    // Read in another encoding the text would hold no chapter heading: the first one, found,
    // joins the window's title.
    QTRY_VERIFY_WITH_TIMEOUT(user.findWindow(QStringLiteral("朗读 - xiyouji - 第一回"), true) == window, kWait);

    user.click(places.start);
    QVERIFY2(LoudestOnSink(m_sink, 3000) > 500, "no sound arrived on the null sink");
    QTRY_VERIFY_WITH_TIMEOUT(ReadFile(findPath) != firstPiece, 60000);
    Screenshot(m_display, QStringLiteral("e2e-2-reading.png"));
    user.closeWindow(window);
    QVERIFY(program->waitForFinished(kWait));
    QCOMPARE(program->exitCode(), 0);
    const QByteArray stoppedAt = ReadFile(findPath);
    QVERIFY(stoppedAt != firstPiece);
    QVERIFY(isTextOfTheNovel(stoppedAt));
    QVERIFY(ReadFile(folder.path(QStringLiteral("Tarrowin.ini"))).contains("WENJIANMING=xiyouji.txt"));

    program.reset(folder.start(env));
    QTRY_VERIFY_WITH_TIMEOUT((window = user.findWindow(QStringLiteral("朗读 - xiyouji"), true)) != 0, kWait);
    QTest::qWait(500);
    Screenshot(m_display, QStringLiteral("e2e-3-started-again.png"));
    user.click(places.start);
    QTest::qWait(300);
    // speaking began with the piece where it stopped, not with the file's first piece
    QCOMPARE(ReadFile(findPath), stoppedAt);
    user.closeWindow(window);
    QVERIFY(program->waitForFinished(kWait));
}

// Started with a novel in a folder of its own, the program reads it aloud and keeps its place
// beside it; started again with no argument, it opens that novel and goes on at the same piece.
void TestEndToEnd::novelOutsideTheFolderGoesOnAfterARestart()
{
    ProgramFolderCopy folder;
    const QTemporaryDir novels;
    const QString novel = novels.filePath(QStringLiteral("xiyouji.txt"));
    QVERIFY(QFile::copy(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"), novel));
    qputenv("XDG_CONFIG_HOME", folder.path(QStringLiteral("config")).toLocal8Bit());
    SpeechSettings fastest;
    fastest.rate = SpeechSettings::MaximumRate;
    QVERIFY(SaveSpeechSettings(fastest));
    QProcessEnvironment env = windowEnvironment(folder);
    XUser user(m_display);
    QVERIFY(user.connected());
    const QString findPath = novel + QStringLiteral(".find");

    std::unique_ptr<QProcess> program(folder.start(env, {novel}));
    unsigned long window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = user.findWindow(QStringLiteral("朗读 - xiyouji"), true)) != 0, kWait);
    QTRY_VERIFY_WITH_TIMEOUT(!ReadFile(findPath).isEmpty(), kWait); // written empty first as the sample gives way
    const QByteArray firstPiece = ReadFile(findPath);
    QVERIFY(!firstPiece.isEmpty());
    QTest::qWait(500);
    const Places places = PlacesIn(user.geometry(window));
    user.click(places.start);
    QVERIFY2(LoudestOnSink(m_sink, 3000) > 500, "no sound arrived on the null sink");
    QTRY_VERIFY_WITH_TIMEOUT(ReadFile(findPath) != firstPiece, 60000);
    user.closeWindow(window);
    QVERIFY(program->waitForFinished(kWait));
    QCOMPARE(program->exitCode(), 0);
    const QByteArray stoppedAt = ReadFile(findPath);
    QVERIFY(ReadFile(folder.path(QStringLiteral("Tarrowin.ini"))).contains("WENJIANLUJING=" + novel.toUtf8()));
    QVERIFY(!QFile::exists(folder.path(QStringLiteral("xiyouji.txt.find"))));

    program.reset(folder.start(env));
    QTRY_VERIFY_WITH_TIMEOUT((window = user.findWindow(QStringLiteral("朗读 - xiyouji"), true)) != 0, kWait);
    QTest::qWait(500);
    Screenshot(m_display, QStringLiteral("e2e-4-outside-novel-again.png"));
    user.click(places.start);
    QTest::qWait(300);
    QCOMPARE(ReadFile(findPath), stoppedAt); // speaking began at the piece where it stopped
    user.closeWindow(window);
    QVERIFY(program->waitForFinished(kWait));
}

// Another program on the session bus (a desktop's media widget, a headset daemon) starts reading
// with PlayPause, and speech is heard on the null sink; Pause silences it; Quit closes the program,
// and its name leaves the bus.
void TestEndToEnd::mediaKeysFromAnotherProgram()
{
    const PrivateSessionBus bus;
    QVERIFY(!bus.address().isEmpty());
    ProgramFolderCopy folder;
    const QString novel = folder.path(QStringLiteral("xiyouji.txt"));
    QVERIFY(QFile::copy(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"), novel));
    QProcessEnvironment env = windowEnvironment(folder);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    QDBusConnection widget = bus.connect(QStringLiteral("media-widget"));
    std::unique_ptr<QProcess> program(folder.start(env, {novel}));
    QTRY_VERIFY_WITH_TIMEOUT(widget.interface()->isServiceRegistered(MprisService::kServiceName), kWait);
    QCOMPARE(MprisClient::property(widget, MprisClient::kRoot, QStringLiteral("Identity")).toString(),
             QStringLiteral("Tarrowin"));

    MprisClient::call(widget, MprisClient::kPlayer, QStringLiteral("PlayPause"));
    QVERIFY2(LoudestOnSink(m_sink, 3000) > 500, "no sound arrived on the null sink");
    QCOMPARE(MprisClient::property(widget, MprisClient::kPlayer, QStringLiteral("PlaybackStatus")).toString(),
             QStringLiteral("Playing"));
    Screenshot(m_display, QStringLiteral("e2e-5-media-keys.png"));

    MprisClient::call(widget, MprisClient::kPlayer, QStringLiteral("Pause"));
    QCOMPARE(MprisClient::property(widget, MprisClient::kPlayer, QStringLiteral("PlaybackStatus")).toString(),
             QStringLiteral("Paused"));
    QTest::qWait(1000); // what the server still held when the pause came plays out
    QVERIFY2(LoudestOnSink(m_sink, 1500) < 100, "speech went on after Pause");

    MprisClient::call(widget, MprisClient::kRoot, QStringLiteral("Quit"));
    QVERIFY(program->waitForFinished(kWait));
    QCOMPARE(program->exitCode(), 0);
    QTRY_VERIFY(!widget.interface()->isServiceRegistered(MprisService::kServiceName).value());
}

// "边听边看" while the real voice reads: the reader opens beside the read-aloud window on the page
// of the word heard and marks it in the colour that shows on the reader's own text and background
// colours (here a sepia pair the user chose), read from a screenshot of the reader window.
void TestEndToEnd::followAlongMarksTheWordHeard()
{
    ProgramFolderCopy folder;
    const QString novel = folder.path(QStringLiteral("xiyouji.txt"));
    QVERIFY(QFile::copy(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"), novel));
    const QColor text(91, 70, 54);
    const QColor background(244, 236, 216);
    auto ole = [](const QColor &c) { return QByteArray::number(c.red() | c.green() << 8 | c.blue() << 16); };
    QFile ini(folder.path(QStringLiteral("Tarrowin.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[KANXIAOSHUO]\r\nSEWENZI=" + ole(text) + "\r\nSEBEIJING=" + ole(background) + "\r\n");
    ini.close();
    XUser user(m_display);
    QVERIFY(user.connected());
    const QString title = QStringLiteral("朗读 - xiyouji");

    std::unique_ptr<QProcess> program(folder.start(windowEnvironment(folder), {novel}));
    unsigned long window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = user.findWindow(title, true)) != 0, kWait);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(novel + QStringLiteral(".find")), kWait);
    QTest::qWait(500);
    const Places places = PlacesIn(user.geometry(window));
    user.click(places.start);
    // the voice's first words, however long a busy machine takes to start it
    QTRY_VERIFY_WITH_TIMEOUT(LoudestOnSink(m_sink, 500) > 500, kWait);
    user.click(places.followAlong);
    unsigned long reader = 0;
    QTRY_VERIFY_WITH_TIMEOUT((reader = user.findWindow(QStringLiteral("原文 - xiyouji"), true)) != 0, kWait);
    QVERIFY(user.findWindow(title, true) == window); // the read-aloud window stays

    const QColor mark = MarkColour(text, background);
    const QRect page = PageArea(user.geometry(reader).size(), places.twipsPerPixel);
    const QString name = QStringLiteral("e2e-6-follow-along.png");
    QImage shot;
    int marked = 0;
    auto markShown = [&] {
        shot = QImage(Screenshot(m_display, name, QStringLiteral("0x") + QString::number(reader, 16)));
        marked = PixelsOf(shot, page, mark);
        return marked > 50;
    };
    QTRY_VERIFY_WITH_TIMEOUT(markShown(), kWait);
    qInfo("follow-along screenshot: %s (%d pixels of the mark %s on the page)",
          qPrintable(QStringLiteral(TARROWIN_ARTIFACT_DIR "/") + name), marked, qPrintable(mark.name()));
    // the area looked at is the page: mostly its background, with the text on it
    QVERIFY(PixelsOf(shot, page, background) > page.width() * page.height() / 3);
    QVERIFY(PixelsOf(shot, page, text) > 0);
    // the voice goes on while the reader follows
    QTRY_VERIFY_WITH_TIMEOUT(LoudestOnSink(m_sink, 500) > 500, 5000);

    user.closeWindow(window);
    QVERIFY(program->waitForFinished(kWait));
    QCOMPARE(program->exitCode(), 0);
}

TARROWIN_TEST_MAIN(TestEndToEnd)
#include "tst_EndToEnd.moc"
