#pragma once
#include <QWidget>

class frmTTS;

// The novel reader window: the text file one page at a time. It works on the file the
// read-aloud window names and hands the place back to it when it closes.
class frmRead : public QWidget
{
    Q_OBJECT
public:
    explicit frmRead(frmTTS *tts, QWidget *parent = nullptr);

private:
    frmTTS *m_tts;
};
