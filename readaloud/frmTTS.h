#pragma once
#include <QWidget>

// The read-aloud window: the program's first and main window.
class frmTTS : public QWidget
{
    Q_OBJECT
public:
    explicit frmTTS(QWidget *parent = nullptr);
};
