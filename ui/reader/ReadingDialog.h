#pragma once
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

class MandarinDictionary;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTemporaryFile;
class SpeechVoice;
class StatusLine;

// The readings files a word's reading is written to and read with.
struct ReadingFiles
{
    QString general;     // the listener's file for every novel
    QString novel;       // the novel's own file, where it is written; empty without a novel
    QString novelToRead; // where the voice reads the novel's own file from now (it may lie elsewhere)
};

// "设置读音": the reading a word has now, as the voice says it, a field for a new one, "试听" to
// hear the word with the reading typed (or the one it has), and "只用于本书" to give the reading to
// this novel only. OK writes "词 pinyin" to the readings file, in place of the word's old line;
// a reading that does not parse, or has too many or too few syllables, is refused with the reason
// and OK stays disabled. A file that cannot be read or written is told on the dialog's status
// line, and the dialog stays open with what was typed.
class ReadingDialog : public QDialog
{
    Q_OBJECT
public:
    using VoiceMaker = std::function<SpeechVoice *(QObject *parent)>;

    // The word is `length` UTF-16 units of `text` from `position`; the text around it decides how
    // it is read now.
    ReadingDialog(const QString &text, int position, int length, const ReadingFiles &files,
                  const MandarinDictionary &dictionary, QWidget *parent = nullptr);
    ~ReadingDialog() override;

    // The voice "试听" speaks with; the user's own voice unless a host says otherwise.
    void setVoiceMaker(VoiceMaker maker) { m_voiceMaker = std::move(maker); }

    void accept() override;
    void done(int result) override;

    QLineEdit *currentField() const { return m_current; }
    QLineEdit *readingField() const { return m_reading; }
    QCheckBox *novelOnlyBox() const { return m_novelOnly; }
    QPushButton *listenButton() const { return m_listen; }
    QPushButton *okButton() const { return m_ok; }
    QLabel *refusalLabel() const { return m_refusal; }
    StatusLine *statusLine() const { return m_status; }

private:
    void check();
    void listen();
    // The files the voice reads the word with now, later ones winning.
    QStringList filesRead() const;

    QString m_word;
    ReadingFiles m_files;
    const MandarinDictionary &m_dictionary;
    VoiceMaker m_voiceMaker;
    QLineEdit *m_current;
    QLineEdit *m_reading;
    QLabel *m_refusal;
    QLabel *m_overridden;
    QCheckBox *m_novelOnly;
    QPushButton *m_listen;
    QPushButton *m_ok;
    StatusLine *m_status;
    bool m_novelHasWord = false; // the novel's own file gives the word a reading of its own
    SpeechVoice *m_voice = nullptr;
    // The typed reading as a readings file of its own, for the voice to read "试听" with.
    std::unique_ptr<QTemporaryFile> m_trial;
};
