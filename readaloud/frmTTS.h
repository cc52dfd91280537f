#pragma once
#include <QWidget>
#include <functional>

// The read-aloud window: the program's first and main window.
class frmTTS : public QWidget
{
    Q_OBJECT
public:
    explicit frmTTS(QWidget *parent = nullptr);

    // How the reader window is made on first use (the host wires it, so that this library does
    // not depend on the reader's).
    using ReaderFactory = std::function<QWidget *(frmTTS *)>;
    void setReaderFactory(ReaderFactory factory) { m_readerFactory = std::move(factory); }

private:
    ReaderFactory m_readerFactory;
};
