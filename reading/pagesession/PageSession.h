#pragma once
#include "BytePos.h"
#include "Novel.h"
#include "Place.h"
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class PageMeasure;
class SideFileWriter;

// What the reader shows, beneath its window: the novel, the page on show and where it ends, the
// chunk of bytes a page is cut from, the place text kept in the ".find" side file, and whether the
// reader follows the voice. Pages are cut by the page engine for the page box as the window
// measures it; the reader window shows the session in its boxes and hands it what the user does.
//
// The position is the byte after the page shown. The page shown becomes the place (a page emptied
// by hand never does); the place goes to the ".find" side file on every change, except while the
// reader is opened beside the voice, where the read-aloud side keeps the place.
class PageSession : public QObject
{
    Q_OBJECT
public:
    // The page box as it is now, measured for a cut.
    using MeasureSource = std::function<std::unique_ptr<PageMeasure>()>;

    explicit PageSession(QObject *parent = nullptr);

    void setMeasure(MeasureSource measure) { m_measure = std::move(measure); }
    // Back to a reader made anew: no page, no place (nothing written), the position at the first
    // byte and chunks of 500 bytes.
    void clear();
    // The novel as the read-aloud side names it (its side files are found from the name) and its
    // file in the encoding it is read in.
    void setNovel(const QString &name, const Novel &novel);
    const Novel &novel() const { return m_novel; }
    // Side-file writes go through `writer` (gathered with those of the read-aloud side).
    void setSideFiles(SideFileWriter *writer) { m_sideFiles = writer; }
    // Beside the voice the read-aloud side keeps the place: no ".find" is written.
    void setBesideVoice(bool beside) { m_besideVoice = beside; }
    bool besideVoice() const { return m_besideVoice; }

    BytePos position() const { return m_position; }
    void setPosition(BytePos position);
    qint64 chunkSize() const { return m_chunkSize; }
    void setChunkSize(qint64 bytes);
    const QString &pageText() const { return m_page; }
    // The page box's text, as shown or as typed: a text that is not empty becomes the place.
    void setPageText(const QString &text);
    // Where the page shown starts in the file (1 at the least).
    BytePos pageStart() const;

    const QString &placeText() const { return m_placeText; }
    void setPlaceText(const QString &text);
    // The place: its text, and the bytes of the page shown when that is the place.
    Place place() const;

    // The page from the position on, the position moved past it; "" at the end or when nothing
    // fits, the position left where it was.
    QString cutNext();
    // The page that ends where `shownText` (ending at the position) begins; the position becomes
    // its end.
    QString cutPrevious(const QString &shownText);
    // A page cut for `at` (the follower's), `at` moved past it.
    QString cutAt(BytePos &at) const;
    // Shows the page that starts at `start`; a page that shows nothing there (a box too small
    // for one line) leaves the page and position as they were. False then.
    bool showAt(BytePos start);
    // Shows the page where the place text is first found; false when it is not found.
    bool find();
    // Opens at a place handed over: the page that starts at its bytes when its text stands there,
    // else where its text is found. An empty place shows nothing.
    void openAt(const Place &place);
    // The page on show cut again, from its first character, for the box as it is now; false when
    // nothing changed (or the box shows nothing).
    bool layOutAgain();

signals:
    void positionChanged(BytePos position);
    void chunkSizeChanged(qint64 bytes);
    void pageChanged(const QString &text);
    void placeTextChanged(const QString &text);

private:
    std::unique_ptr<PageMeasure> measure() const;

    MeasureSource m_measure;
    QString m_name;
    Novel m_novel;
    SideFileWriter *m_sideFiles = nullptr;
    bool m_besideVoice = false;
    BytePos m_position{1};
    qint64 m_chunkSize = 500;
    QString m_page;
    QString m_placeText;
};
