#include "ReadAloudMessages.h"
#include "PieceReader.h"
#include "ProgramFolder.h"
#include "TextFilePresence.h"
#include <QFileInfo>

namespace ReadAloudMessages {

bool IsPieceLength(qint64 length)
{
    return length >= 1 && length <= kMaxPieceLength;
}

QString PieceLengthOutOfRange()
{
    return QStringLiteral("朗读长度应在 1 到 %1 之间").arg(kMaxPieceLength);
}

std::optional<QString> TextFileProblem(const QString &fileName)
{
    if (!IsBareFileName(fileName) && !IsNovelPath(fileName))
        return QStringLiteral("还没有选择要朗读的文件，双击文件名框选择");
    const QFileInfo file(NovelFilePath(fileName));
    if (!file.isFile())
        return QStringLiteral("找不到文件 ") + fileName;
    if (IsHiddenFile(file.filePath()))
        return QStringLiteral("文件 %1 是隐藏文件（名字以“.”开头），不能朗读，请改名").arg(file.fileName());
    if (file.size() == 0)
        return QStringLiteral("文件 %1 是空的").arg(fileName);
    return std::nullopt;
}

QString ReadingsLineRefused(const QString &file, int line, const QString &text, int others)
{
    QString message = QStringLiteral("读音文件“%1”第 %2 行无法识别：%3").arg(QFileInfo(file).fileName()).arg(line).arg(text);
    if (others > 0)
        message += QStringLiteral("（另有 %1 行）").arg(others);
    return message;
}

QString PlaceNotFound()
{
    return QStringLiteral("没有找到上次的位置，从头开始");
}

QString SearchTextNotFound()
{
    return QStringLiteral("文件中没有找到要查找的内容，朗读位置不变");
}

QString PlaceUnreadable(const QString &fileName)
{
    return QStringLiteral("无法读取上次的位置 %1，从头开始，不改写它").arg(fileName);
}

QString PieceLengthTooShort(qint64 length)
{
    return QStringLiteral("朗读长度 %1 太短，放不下一个字，请加大").arg(length);
}

QString PlaceNotSaved(const QString &fileName)
{
    return QStringLiteral("无法保存朗读位置到 %1，文件保持原样").arg(fileName);
}

QString NoChapterBefore()
{
    return QStringLiteral("已经是第一章，前面没有章节了");
}

QString NoChapterAfter()
{
    return QStringLiteral("已经是最后一章，后面没有章节了");
}

QString LastChapterEndsWithTheNovel()
{
    return QStringLiteral("这是最后一章，读到全书结尾时停止");
}

QString ChapterGone()
{
    return QStringLiteral("文件已经变短，没有这一章了，朗读位置不变");
}

}
