#pragma once
#include "ListenerReadingsCache.h"
#include "ByteRange.h"
#include "HeardWord.h"
#include "Novel.h"
#include "NovelEncoding.h"
#include "Place.h"
#include "SpeechPace.h"
#include "SpeechVoice.h"
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class ChapterLoader;
class PlaceSearch;
class SideFileWriter;

// What is being read aloud, beneath any window: the novel, the reading position, the piece being
// spoken and the one queued behind it, the place text kept in the ".find" side file, and the
// voice with its state. The read-aloud window shows it and calls it; the reader window, a media
// key or the command line can drive it the same way.
//
// The position is the byte after the last piece taken from the novel. A piece is cut at the
// position, `pieceLength` bytes long, back to its last break character; the piece that is spoken
// and the one queued behind it are held with the bytes of the novel they came from. The place
// text follows the piece being spoken and is written to the side file on every change, so that
// reading resumes there after a restart of the program. The novel is read in the encoding chosen
// for it, or in the one its bytes show; the side file's text is in the same.
class ReadingSession : public QObject
{
    Q_OBJECT
public:
    // Speaking: the voice speaks; Paused: halted by pause, resumes where it halted; Stopped: the
    // listener stopped (or the novel ran out), the pieces kept; Idle: nothing asked yet, or the
    // voice has spoken everything it was given.
    enum class State { Idle, Speaking, Paused, Stopped };
    Q_ENUM(State)

    // A text handed to the voice, or held to be: its text and where it lies in the novel (empty
    // when not known, as for a piece the user typed).
    struct Piece
    {
        QString text;
        ByteRange bytes;
    };

    explicit ReadingSession(QObject *parent = nullptr);
    ~ReadingSession() override;

    // The novel: its file name in the program folder, as the file-name box holds it. Every file
    // the session touches is found from it.
    const QString &novel() const { return m_novel; }
    QString novelPath() const;
    // The novel's file with the encoding it is read in: the one chosen, or the one its bytes show
    // (looked at again when the file changes).
    Novel currentNovel() const;
    // The encoding chosen for the novel; none reads it in the one its bytes show.
    void setChosenEncoding(std::optional<TextEncoding> encoding) { m_chosenEncoding = encoding; }
    // The encoding the pieces held were read in.
    TextEncoding piecesEncoding() const { return m_piecesEncoding; }
    QString sideFilePath(const QString &suffix) const;
    // Where a side file is read from: beside the novel, or in the state folder when the novel's
    // folder cannot be written.
    QString sideFileToRead(const QString &suffix) const;
    // Another novel, with nothing else changed (the position and pieces stay until a move).
    void setNovel(const QString &novel);
    // Opens a novel where it was left: at the text of its ".find" side file, or at its start when
    // there is none or its text no longer occurs in the novel (the side file then keeps its text
    // until reading begins or the listener moves).
    void open(const QString &novel);
    // Reads the ".find" side file into the place text, which is empty when there is none. A side
    // file that is there but cannot be read is never written in this run (its place was never
    // seen), and a notice says so.
    void loadPlace();
    // The place text goes to the side file through `writer` (gathered with other side-file
    // writes, failures told by the writer); without one it is written at once.
    void setSideFiles(SideFileWriter *writer) { m_sideFiles = writer; }
    // Whether the novel can be read; a notice says why not.
    bool novelReadable();

    BytePos position() const { return m_position; }
    // The position as the listener gives it; 0 and below are read from byte 1 on.
    void setPosition(BytePos position);
    qint64 pieceLength() const { return m_pieceLength; }
    void setPieceLength(qint64 bytes);
    // Read by pieces: the voice holds one piece at a time instead of two, so that other speech
    // can come in between. Takes effect at the next start.
    bool byPieces() const { return m_byPieces; }
    void setByPieces(bool byPieces);

    const Piece &current() const { return m_current; }
    const Piece &queued() const { return m_queued; }
    // Pieces as the listener typed them: their bytes in the novel are not known.
    void setCurrentText(const QString &text);
    void setQueuedText(const QString &text);

    // The place text: the piece being spoken, or what the listener searches for.
    const QString &placeText() const { return m_placeText; }
    void setPlaceText(const QString &text);

    // Cuts the piece at the position and moves the position to the byte after it. At the end of
    // the novel the piece is empty. A piece length out of range or a novel that cannot be read
    // gives an empty piece, leaves the position where it is and says why.
    Piece nextPiece();
    // Moves to `position`: drops the queued piece and makes the piece there the current one.
    // Speaking starts at the next start; what the voice already holds is still spoken.
    void moveTo(BytePos position);
    // Moves to the first occurrence of the place text in the novel; false (nothing changed, and
    // a notice says why) when it does not occur, or the novel cannot be read.
    bool search();
    // The same for the place text kept from the last time, whose notice says so. The place is
    // first looked for at the byte position kept for the novel in the settings, so that a text
    // that occurs more than once is found where it was.
    bool resumeAtPlace();
    // Moves to the byte position kept for the novel when the place text stands there, or the
    // ".find" file's own bytes do (kept in another encoding); false (nothing changed) otherwise.
    bool resumeAtKeptPosition();
    // Moves to the start of the novel.
    void restart();
    // The ".find" side file's own bytes, whatever the encoding; none for one larger than the novel.
    QByteArray placeFileBytes() const;

    // Where reading stands: the novel, the place text and its bytes (those of the piece being
    // read, empty for a text typed or read from the side file).
    Place place() const;
    // Where the piece being read starts: its first byte, or for a piece typed by the listener,
    // where its text ends at the position (behind the queued piece); 1 at the least.
    BytePos currentPieceStart() const;
    // The word of the current piece at `characterPosition` (`length` characters) in bytes of the
    // novel: `bytes` as wordHeard gave them, or counted from where the piece starts when they are
    // not known (a typed piece). (0, 0) is the piece with no word heard in it yet.
    HeardWord heardWord(int characterPosition, int length, ByteRange bytes = {}) const;
    // A move the listener asked for (a chapter, a media key): the voice stops, the piece at
    // `start` becomes the current one and the place, and a voice that was speaking goes on there.
    void goTo(BytePos start);
    // Reading goes on at a place handed over (the reader's page): at its bytes when its text
    // stands there, else where its text is first found. The queued piece is dropped.
    bool resumeAt(const Place &place);
    // The start-up's move to where the novel was left, the place text read by loadPlace(): at the
    // kept position, else where the text is found. A large novel is searched on a thread of its
    // own; meanwhile isSearching() holds and the speaking operations wait.
    void resumeWhereLeft();
    bool isSearching() const;
    // A newer choice of place: the background search gives way, its answer dropped.
    void cancelSearch();
    // The novel's table of contents, found in the background; requestChapters() asks for that of
    // the current novel (false when it is asked for already, or the novel is no file).
    ChapterLoader *chapters() const { return m_chapters; }
    bool requestChapters();

    // The listener's volume (0..100), given to the voice scaled by `scale` (a fade, 0..1).
    int volume() const { return m_volume; }
    void setVolume(int volume);
    void setVolumeScale(double scale);

    SpeechVoice *voice() const { return m_voice.get(); }
    // The voice to speak with; none means the speaking operations do nothing.
    void setVoice(std::unique_ptr<SpeechVoice> voice);
    State state() const { return m_state; }
    bool isStopped() const { return m_stopped; }
    // The listener's stop flag set or cleared by hand: a stopped session does not go on to the
    // next piece when the voice finishes one.
    void setStopped(bool stopped);
    // Speaks the current piece, or resumes a paused voice, and queues the next piece. With
    // nothing left to read it stops instead. After the novel's last piece was heard to its end,
    // text added to the novel since is read on; with none, the last piece is spoken again.
    void start();
    // Silences the voice and empties its queue; the pieces stay, so the next start speaks the
    // interrupted piece again from its beginning.
    void stop();
    // Pauses a speaking voice, or resumes a paused one; does nothing while idle.
    void pauseOrResume();
    // Makes the voice heard: a silent one (never started, stopped or paused) starts as start()
    // starts it; a speaking one goes on untouched, its pieces and queue as they are.
    void listen();

    // The listening speed, a factor of the rate set in "调整语音" from 0.5 to 3, kept for each
    // novel. The voice takes it at once: the words not yet heard are said at it.
    double speed() const { return m_speed; }
    void setSpeed(double speed);
    // The voice and the place move at once to the start of the sentence before the one heard, of
    // the one heard, or of the next one, across pieces as within one.
    void previousSentence();
    void repeatSentence();
    void nextSentence();
    // Moves the voice and the place to `position` at once: a speaking voice speaks on from there,
    // a paused one waits there, a silent one stays silent.
    void startAt(BytePos position);
    // The voice speaks from the start of the sentence that holds `position`, and the place moves
    // there ("从这里朗读").
    void speakSentenceAt(BytePos position);
    // The first byte of the word heard (of the piece, until a word of it is heard).
    BytePos heardPosition() const { return m_heard; }

    // The chapter that holds a position, from its first byte to the next chapter's; without it,
    // the whole novel is one chapter.
    using ChapterBounds = std::function<ByteRange(BytePos)>;
    void setChapterBounds(ChapterBounds bounds) { m_chapterBounds = std::move(bounds); }
    // The spoken time from the start of the chapter to the word heard at the present speed,
    // estimated from the characters before it and the voice's measured pace.
    qint64 chapterTimeMs() const;
    // Moves to the sentence of the chapter whose spoken time comes nearest `ms`.
    void seekChapterTime(qint64 ms);
    // Moves by the sentences whose spoken time comes nearest `offsetMs` from the word heard:
    // forward to a later sentence (or the next chapter), back to this one or an earlier one.
    void seekBy(qint64 offsetMs);

signals:
    void speedChanged(double speed);
    // The voice was moved to another time of the chapter (chapterTimeMs()).
    void seeked(qint64 ms);
    void novelChanged(const QString &novel);
    void positionChanged(BytePos position);
    void pieceLengthChanged(qint64 bytes);
    void currentPieceChanged(const QString &text, ByteRange bytes);
    void queuedPieceChanged(const QString &text, ByteRange bytes);
    void placeTextChanged(const QString &text);
    // The place text could not be written to the side file (a full disk, a folder that cannot be
    // written): the place would be lost at the next start.
    void placeNotSaved(const QString &sideFile);
    // Why nothing was read, or what was done instead, in one short line for the listener; an empty
    // text when reading starts and the last notice no longer holds.
    void notice(const QString &text);
    // The voice is speaking the current piece's characters from `characterPosition` on, for
    // `length` characters: `bytes` of the novel (empty when the piece's bytes are not known).
    void wordHeard(int characterPosition, int length, ByteRange bytes);
    void stateChanged(ReadingSession::State state);
    void searchingChanged(bool searching);
    void volumeChanged(int volume);

private:
    bool find(const QString &notFound);
    void setPlace(const QString &text, ByteRange bytes);
    void writePlace(ByteRange bytes);
    void showPieceAt(BytePos position); // the piece there becomes the current one
    void releasePlace();
    void setCurrent(const Piece &piece);
    void setQueued(const Piece &piece);
    void speak(const Piece &piece);
    void tellRefusedReadings();
    void onEndStream();
    void onWord(int characterPosition, int length);
    void updateState();
    void applyVolume();
    void placeSearchDone();
    void noteHeard(int characterPosition, ByteRange bytes);
    void loadSpeed();
    void stepSentence(int step);
    // The sentence that holds `position` among the sentences around it, in order; none before the
    // novel's text.
    std::pair<std::vector<struct SentenceStart>, std::ptrdiff_t> sentencesAround(BytePos position) const;
    ByteRange chapterAt(BytePos position) const;
    void seekNearest(qint64 ms, bool forward, bool mayLeave);

    QString m_novel;
    std::optional<TextEncoding> m_chosenEncoding;
    mutable DetectedEncoding m_detectedEncoding;
    TextEncoding m_piecesEncoding = TextEncoding::Gbk;
    SideFileWriter *m_sideFiles = nullptr;
    BytePos m_position;
    qint64 m_pieceLength = 100;
    bool m_byPieces = false;
    Piece m_current;
    Piece m_queued;
    QString m_placeText;
    QString m_unreadPlace; // a ".find" there that could not be read: never written in this run
    ByteRange m_placeBytes;
    ChapterLoader *m_chapters;
    PlaceSearch *m_placeSearch;
    int m_volume = 100;
    double m_volumeScale = 1.0;
    std::unique_ptr<SpeechVoice> m_voice;
    ListenerReadingsCache m_listenerReadings;
    bool m_stopped = false;
    bool m_paused = false;
    bool m_heardToEnd = false; // the current piece, the novel's last, was heard to its end
    bool m_placeHeld = false; // the side file keeps a place not found until reading begins
    State m_state = State::Idle;
    double m_speed = 1.0;
    BytePos m_heard;
    ChapterBounds m_chapterBounds;
    SpeechPace m_pace;
    QElapsedTimer m_clock;
    int m_paceWord = -1; // the character of the current piece last heard, for the pace
};
