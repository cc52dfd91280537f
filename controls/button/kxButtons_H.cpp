#include "kxButtons_H.h"
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

kxButtons_H::kxButtons_H(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void kxButtons_H::setCaption(const QString &caption)
{
    m_caption = caption;
    setAccessibleName(caption);
    update();
}

void kxButtons_H::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    p.setPen(palette().buttonText().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_caption);
}

void kxButtons_H::mousePressEvent(QMouseEvent *e)
{
    m_pressed = e->button() == Qt::LeftButton;
}

void kxButtons_H::mouseReleaseEvent(QMouseEvent *e)
{
    const bool click = m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    m_pressed = false;
    if (click)
        emit Click();
}

void kxButtons_H::keyReleaseEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Space)
        emit Click();
    else
        QWidget::keyReleaseEvent(e);
}
