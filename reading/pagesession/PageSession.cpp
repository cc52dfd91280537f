#include "PageSession.h"
#include "FindInTextFile.h"
#include "PageEngine.h"
#include "PageMeasure.h"
#include "PlacePosition.h"
#include "ProgramFolder.h"
#include "SideFileWriter.h"
#include "TextStart.h"

namespace {
// Answers every question "it fits": a session without a page box cuts whole chunks.
class NoBox : public PageMeasure
{
public:
    bool Overflows(const QString &) override { return false; }
};
}

PageSession::PageSession(QObject *parent) : QObject(parent) {}

void PageSession::clear()
{
    m_page.clear();
    m_placeText.clear();
    emit pageChanged(m_page);
    emit placeTextChanged(m_placeText);
    setPosition(BytePos(1));
    setChunkSize(500);
}

void PageSession::setNovel(const QString &name, const Novel &novel)
{
    m_name = name;
    m_novel = novel;
}

void PageSession::setPosition(BytePos position)
{
    if (position == m_position)
        return;
    m_position = position;
    emit positionChanged(m_position);
}

void PageSession::setChunkSize(qint64 bytes)
{
    if (bytes == m_chunkSize)
        return;
    m_chunkSize = bytes;
    emit chunkSizeChanged(m_chunkSize);
}

void PageSession::setPageText(const QString &text)
{
    if (text == m_page)
        return;
    m_page = text;
    emit pageChanged(m_page);
    if (!m_page.isEmpty())
        setPlaceText(m_page);
}

BytePos PageSession::pageStart() const
{
    return std::max(TextStartBefore(m_novel, m_position, m_page), BytePos(1));
}

void PageSession::setPlaceText(const QString &text)
{
    if (text == m_placeText)
        return;
    m_placeText = text;
    emit placeTextChanged(m_placeText);
    // An emptied search box is no place: the side file keeps the one it holds.
    if (!m_besideVoice && m_sideFiles && !m_placeText.isEmpty())
        m_sideFiles->write(Novel{SideFilePath(m_name, QStringLiteral(".find")), m_novel.encoding}, m_placeText);
}

Place PageSession::place() const
{
    const bool pageIsPlace = !m_page.isEmpty() && m_page == m_placeText;
    return {m_novel.path, pageIsPlace ? ByteRange{pageStart(), m_position} : ByteRange{}, m_placeText};
}

std::unique_ptr<PageMeasure> PageSession::measure() const
{
    if (m_measure)
        return m_measure();
    return std::make_unique<NoBox>();
}

QString PageSession::cutAt(BytePos &at) const
{
    return PageEngine::NextPage(*measure(), m_novel, at, m_chunkSize);
}

QString PageSession::cutNext()
{
    BytePos at = m_position;
    const QString page = cutAt(at);
    setPosition(at);
    return page;
}

QString PageSession::cutPrevious(const QString &shownText)
{
    BytePos at = m_position;
    const QString page = PageEngine::PrevPage(*measure(), m_novel, at, m_chunkSize, shownText);
    setPosition(at);
    return page;
}

bool PageSession::showAt(BytePos start)
{
    BytePos at = start;
    const QString page = cutAt(at);
    if (page.isEmpty())
        return false;
    setPosition(at);
    setPageText(page);
    return true;
}

bool PageSession::find()
{
    const std::optional<BytePos> found = FindInTextFile(m_novel, m_placeText);
    return found && showAt(*found);
}

void PageSession::openAt(const Place &place)
{
    setPlaceText(place.text);
    if (place.text.isEmpty())
        return;
    if (!place.bytes.isEmpty() && PlacePosition::TextIsAt(m_novel, place.bytes.start, place.text))
        showAt(place.bytes.start);
    else
        find();
}

bool PageSession::layOutAgain()
{
    if (m_page.isEmpty())
        return false;
    BytePos at = m_position;
    const QString page = PageEngine::PageAgain(*measure(), m_novel, at, m_chunkSize, m_page);
    // A box too small for one line keeps the page it had until it grows again.
    if (page.isEmpty() || (page == m_page && at == m_position))
        return false;
    setPosition(at);
    setPageText(page);
    return true;
}
