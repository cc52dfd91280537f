#pragma once
#include <QLabel>

// One short line in a window that says what just happened and what the program did about it
// ("找不到文件 …"). It never takes the focus and never waits for an answer, so nothing stands in
// the way of listening. It is hidden while it has nothing to say. Screen readers find it as a
// status bar named "状态" whose value is the message, and each new message is announced.
class StatusLine : public QLabel
{
    Q_OBJECT
public:
    explicit StatusLine(QWidget *parent = nullptr);

    // Shows `message` in place of the one before and announces it; an empty message hides the line.
    void say(const QString &message);
    QString message() const { return text(); }

signals:
    // The line was shown or hidden, so that the window can give it room.
    void shownChanged(bool shown);
};
