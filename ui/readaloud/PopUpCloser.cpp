#include "PopUpCloser.h"
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

PopUpCloser::PopUpCloser(QWidget *list, std::vector<QWidget *> spared, std::function<void()> close, QObject *parent)
    : QObject(parent), m_list(list), m_spared(std::move(spared)), m_close(std::move(close))
{
    qApp->installEventFilter(this);
}

bool PopUpCloser::inside(const QObject *watched, const QWidget *widget) const
{
    for (const QObject *o = watched; o; o = o->parent())
        if (o == widget)
            return true;
    return false;
}

bool PopUpCloser::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_list || !m_list->isVisible() || !watched->isWidgetType())
        return false;
    const auto *widget = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
        && widget->window() == m_list->window()) {
        m_close();
        return true;
    }
    if (event->type() == QEvent::WindowDeactivate && watched == m_list->window()) {
        m_close(); // the user went to another program
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress && !inside(watched, m_list)
        && std::none_of(m_spared.begin(), m_spared.end(), [&](QWidget *w) { return inside(watched, w); }))
        m_close();
    return false;
}
