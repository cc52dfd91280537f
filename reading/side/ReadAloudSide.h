#pragma once
#include "HeardWord.h"
#include "Novel.h"
#include "Place.h"
#include <QObject>
#include <QString>

class SideFileWriter;

// What the read-aloud side tells the reader window as it happens.
class ReadAloudEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // The encoding the novel is read in may have changed (another choice, another novel).
    void encodingChanged();
    // A word of the piece being read is heard, in bytes of the novel.
    void wordHeard(const HeardWord &word);
    // "边听边看" was chosen: the reader (made by then) is to show the novel and follow the voice.
    void followAlongRequested();
};

// What the reader window needs of the read-aloud side: the novel it shows, the place it opens at, the piece being read, and the hand-over of its own place when it
// closes. The read-aloud window implements it; the reader knows nothing else of that window.
class ReadAloudSide
{
public:
    virtual ~ReadAloudSide() = default;

    // The novel as the read-aloud side names it (a bare name in the program folder, or a path);
    // its side files (".find", ".kan") are found from it.
    virtual QString novelName() const = 0;
    // The novel's file with the encoding it is read in; its side files hold text in the same.
    virtual Novel currentNovel() const = 0;
    // The place reading aloud stands at: its text (the search text) and, when known, its bytes.
    virtual Place place() const = 0;
    // The piece being read: where it lies in the novel, no word heard in it yet.
    virtual HeardWord pieceBeingRead() const = 0;
    // Whether the read-aloud window is on the screen (beside the reader, or hidden behind it).
    virtual bool isShown() const = 0;
    // The reader closes: reading aloud goes on at `place` (the piece queued dropped; at its bytes
    // when its text stands there, else where the text is found), and the read-aloud window is
    // shown again. An empty text keeps the read-aloud side's own place and only shows the window.
    virtual void handBack(const Place &place) = 0;
    // Opens the novel at `path` (dropped on the reader) and shows it in a reader loaded afresh;
    // nothing happens when it cannot be opened.
    virtual void openInReader(const QString &path) = 0;
    // "从这里朗读": the voice speaks from the sentence that holds `position` of the novel, and the
    // reader follows it from there.
    virtual void readFrom(BytePos position) = 0;
    // The writes of the side files of both windows, gathered.
    virtual SideFileWriter *sideFiles() const = 0;
    virtual ReadAloudEvents *events() = 0;
};
