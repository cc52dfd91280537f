#include "ShelfModel.h"
#include "Shelf.h"
#include "ShelfDetails.h"
#include <QStringList>

ShelfModel::ShelfModel(Shelf *shelf, QObject *parent) : QAbstractTableModel(parent), m_shelf(shelf)
{
    connect(shelf, &Shelf::reset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(shelf, &Shelf::entryChanged, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    });
}

void ShelfModel::setVoice(const QString &voice)
{
    m_voice = voice;
    if (rowCount() > 0)
        emit dataChanged(index(0, TimeLeft), index(rowCount() - 1, TimeLeft));
}

int ShelfModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shelf->entries().size());
}

int ShelfModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ShelfModel::pathAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_shelf->entries().at(row).path : QString();
}

QVariant ShelfModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != SortRole))
        return QVariant();
    const ShelfEntry &entry = m_shelf->entries().at(index.row());
    const bool sort = role == SortRole;
    switch (Column(index.column())) {
    case Title:
        return entry.title();
    case Encoding:
        return entry.encoding;
    case Chapters:
        if (sort)
            return entry.chapters;
        return entry.chapters < 0 ? QString() : QString::number(entry.chapters);
    case ShareRead: {
        const double share = ShelfDetails::ShareRead(entry);
        if (sort)
            return share;
        return entry.place ? QString::number(share * 100, 'f', 1) + QLatin1Char('%') : QStringLiteral("未读");
    }
    case Chapter:
        return entry.chapter;
    case LastRead:
        if (sort)
            return entry.lastRead;
        return entry.lastRead.isValid() ? entry.lastRead.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QString();
    case TimeLeft: {
        const qint64 seconds = ShelfDetails::SecondsLeft(entry, m_shelf->bytesPerSecond(m_voice));
        if (sort)
            return seconds;
        return entry.size < 0 ? QString() : ListeningTimeText(seconds);
    }
    case State:
        return entry.present ? QString() : QStringLiteral("找不到文件");
    case Path:
        return entry.path;
    case ColumnCount:
        break;
    }
    return QVariant();
}

QVariant ShelfModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList headers{QStringLiteral("书名"), QStringLiteral("编码"), QStringLiteral("章数"),
                                     QStringLiteral("已读"), QStringLiteral("所在章节"), QStringLiteral("上次阅读"),
                                     QStringLiteral("剩余时间"), QStringLiteral("状态"), QStringLiteral("位置")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return headers.at(section);
}

QString ListeningTimeText(qint64 seconds)
{
    const qint64 minutes = (seconds + 59) / 60;
    return QStringLiteral("%1小时%2分").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString ShelfListing(const QAbstractItemModel &model)
{
    const auto clean = [](QString text) {
        return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
    };
    QString out;
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << clean(model.headerData(column, Qt::Horizontal).toString());
    out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int row = 0; row < model.rowCount(); ++row) {
        cells.clear();
        for (int column = 0; column < model.columnCount(); ++column)
            cells << clean(model.index(row, column).data().toString());
        out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}
