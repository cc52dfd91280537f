#pragma once
#include <QWidget>

// The novel reader window: the text file one page at a time.
class frmRead : public QWidget
{
    Q_OBJECT
public:
    explicit frmRead(QWidget *parent = nullptr);
};
