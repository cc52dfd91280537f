#pragma once
#include <QWidget>

// The styled button. The windows use only its caption, its enabled and visible states and Click.
class kxButtons_H : public QWidget
{
    Q_OBJECT
public:
    explicit kxButtons_H(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void keyReleaseEvent(QKeyEvent *) override;

private:
    QString m_caption;
    bool m_pressed = false;
};
