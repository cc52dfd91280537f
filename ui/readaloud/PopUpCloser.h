#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

// Closes a list shown over its window as a pop-up menu closes: Escape in the window, the window
// left for another program, or a mouse press anywhere outside the list (the widgets `spared` excepted: the box whose double-click
// shows and hides the list handles its own clicks). It acts only while the list is shown.
class PopUpCloser : public QObject
{
public:
    PopUpCloser(QWidget *list, std::vector<QWidget *> spared, std::function<void()> close, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool inside(const QObject *watched, const QWidget *widget) const;

    QPointer<QWidget> m_list;
    std::vector<QWidget *> m_spared;
    std::function<void()> m_close;
};
