#pragma once
#include <QAbstractTableModel>

class Shelf;

// The shelf as a table: a row per novel, a column per thing shown. The display text of a cell is
// what the listener reads; its sort value (Qt::UserRole) orders the column (numbers as numbers,
// times as times).
class ShelfModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Title, Encoding, Chapters, ShareRead, Chapter, LastRead, TimeLeft, State, Path, ColumnCount };
    static constexpr int SortRole = Qt::UserRole;

    ShelfModel(Shelf *shelf, QObject *parent = nullptr);
    // The voice whose measured speed the listening time left is counted at.
    void setVoice(const QString &voice);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The path of the novel at `row`.
    QString pathAt(int row) const;

private:
    Shelf *m_shelf;
    QString m_voice;
};

// "3小时05分": a listening time in hours and minutes.
QString ListeningTimeText(qint64 seconds);
// The shelf as tab-separated lines, a header line first: the display text of every cell, tabs and
// line ends in it made blanks.
QString ShelfListing(const QAbstractItemModel &model);
