#include "ReadingDialog.h"
#include "EspeakVoice.h"
#include "ListenerReadings.h"
#include "ListenerReadingsEdit.h"
#include "ReplaceFile.h"
#include "StatusLine.h"
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryFile>
#include <QVBoxLayout>
#include <optional>

namespace {

// A readings file's bytes: none for a file that is not there, nothing when it is there but
// cannot be read (a write would then replace lines never seen).
std::optional<QByteArray> ReadingsFileBytes(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return QByteArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QLabel *ShownLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAccessibleName(text);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}

ReadingDialog::ReadingDialog(const QString &text, int position, int length, const ReadingFiles &files,
                             const MandarinDictionary &dictionary, QWidget *parent)
    : QDialog(parent), m_word(text.mid(position, length)), m_files(files), m_dictionary(dictionary),
      m_voiceMaker(CreateUserVoice),
      m_current(new QLineEdit(this)), m_reading(new QLineEdit(this)), m_refusal(ShownLabel(QString(), this)),
      m_overridden(ShownLabel(QStringLiteral("本书的读音文件另有这个词的读音，本书仍按那个读"), this)),
      m_novelOnly(new QCheckBox(QStringLiteral("只用于本书(&B)"), this)),
      m_listen(new QPushButton(QStringLiteral("试听(&T)"), this)),
      m_ok(new QPushButton(QStringLiteral("确定"), this)), m_status(new StatusLine(this))
{
    setObjectName(QStringLiteral("ReadingDialog"));
    setWindowTitle(QStringLiteral("设置读音"));
    setAccessibleName(QStringLiteral("设置读音"));

    ListenerReadings own = ListenerReadings::load(m_files.general, dictionary);
    const ListenerReadings novelOwn = ListenerReadings::load(m_files.novelToRead, dictionary);
    m_novelHasWord = !m_files.novelToRead.isEmpty() && novelOwn.find(m_word);
    own.add(novelOwn);
    const QString current = CurrentReading(text, position, length, dictionary, own);

    m_current->setObjectName(QStringLiteral("current"));
    m_current->setReadOnly(true);
    m_current->setText(current.isEmpty() ? QStringLiteral("（没有读音）") : current);
    m_current->setAccessibleName(QStringLiteral("现在的读音"));
    m_reading->setObjectName(QStringLiteral("reading"));
    m_reading->setAccessibleName(QStringLiteral("新的读音"));
    m_reading->setToolTip(QStringLiteral("拼音，一字一个音节，用空格分开：yin2 hang2 或 yín háng"));
    m_reading->setText(current);
    m_reading->selectAll();
    m_refusal->setObjectName(QStringLiteral("refusal"));
    m_overridden->setObjectName(QStringLiteral("overridden"));
    m_novelOnly->setObjectName(QStringLiteral("novelOnly"));
    m_novelOnly->setAccessibleName(QStringLiteral("只用于本书"));
    // Where the novel reads the word its own way, a reading for every novel would not be heard in it.
    m_novelOnly->setChecked(m_novelHasWord);
    m_novelOnly->setEnabled(!m_files.novel.isEmpty());

    auto *form = new QFormLayout;
    QLabel *wordLabel = ShownLabel(m_word, this);
    wordLabel->setAccessibleName(QStringLiteral("词语：") + m_word);
    form->addRow(ShownLabel(QStringLiteral("词语："), this), wordLabel);
    QLabel *currentLabel = ShownLabel(QStringLiteral("现在的读音："), this);
    currentLabel->setBuddy(m_current);
    form->addRow(currentLabel, m_current);
    QLabel *readingLabel = ShownLabel(QStringLiteral("新的读音(&N)："), this);
    readingLabel->setAccessibleName(QStringLiteral("新的读音："));
    readingLabel->setBuddy(m_reading);
    form->addRow(readingLabel, m_reading);
    form->addRow(QString(), m_refusal);
    form->addRow(QString(), m_novelOnly);
    form->addRow(QString(), m_overridden);

    // Enter is OK wherever the focus stands, "试听" included; Escape is Cancel.
    auto *buttons = new QDialogButtonBox(this);
    buttons->setAccessibleName(QStringLiteral("操作按钮"));
    m_listen->setObjectName(QStringLiteral("listen"));
    m_listen->setAccessibleName(QStringLiteral("试听"));
    m_listen->setAutoDefault(false);
    buttons->addButton(m_listen, QDialogButtonBox::ActionRole);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setAccessibleName(QStringLiteral("确定"));
    m_ok->setDefault(true);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAccessibleName(QStringLiteral("取消"));
    cancel->setAutoDefault(false);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReadingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReadingDialog::reject);
    connect(m_listen, &QPushButton::clicked, this, &ReadingDialog::listen);
    connect(m_reading, &QLineEdit::textChanged, this, &ReadingDialog::check);
    connect(m_novelOnly, &QCheckBox::toggled, this, &ReadingDialog::check);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->addWidget(m_status);
    setTabOrder(m_current, m_reading);
    setTabOrder(m_reading, m_novelOnly);
    setTabOrder(m_novelOnly, m_listen);
    setTabOrder(m_listen, m_ok);
    setTabOrder(m_ok, cancel);
    m_reading->setFocus();
    check();
}

ReadingDialog::~ReadingDialog() = default;

QStringList ReadingDialog::filesRead() const
{
    return ListenerReadingsFiles(m_files.novelToRead);
}

// The reading typed is refused with its reason as it is typed, and OK waits for one that fits.
void ReadingDialog::check()
{
    const TypedReading typed = CheckTypedReading(m_word, m_reading->text(), m_dictionary);
    m_ok->setEnabled(typed.isValid());
    m_refusal->setText(typed.refusal);
    m_refusal->setAccessibleName(typed.refusal);
    m_refusal->setVisible(!typed.isValid());
    m_reading->setAccessibleDescription(typed.refusal);
    m_overridden->setVisible(m_novelHasWord && !m_novelOnly->isChecked());
}

// The word spoken by the voice with the reading typed (the one it has now while the typed one does
// not fit): the typed reading goes to the voice as a readings file of its own, read after the
// listener's files so that it wins. A press while the word is still heard stops it and starts anew.
void ReadingDialog::listen()
{
    if (!m_voice) {
        m_voice = m_voiceMaker(this);
        if (!m_voice)
            return;
    }
    m_voice->Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    QStringList files = filesRead();
    m_trial.reset();
    const TypedReading typed = CheckTypedReading(m_word, m_reading->text(), m_dictionary);
    if (typed.isValid()) {
        auto trial = std::make_unique<QTemporaryFile>(
            QDir::temp().filePath(QStringLiteral("tarrowin-reading-XXXXXX.txt")));
        const QByteArray line = WithListenerReading(QByteArray(), m_word, typed.pinyin);
        if (trial->open() && trial->write(line) == line.size() && trial->flush()) {
            files.append(trial->fileName());
            m_trial = std::move(trial);
        }
    }
    m_voice->setReadingsFiles(files);
    m_voice->Speak(m_word, SpeechVoice::SVSFlagsAsync);
}

void ReadingDialog::accept()
{
    const TypedReading typed = CheckTypedReading(m_word, m_reading->text(), m_dictionary);
    if (!typed.isValid())
        return;
    const bool novelOnly = m_novelOnly->isEnabled() && m_novelOnly->isChecked();
    const QString target = novelOnly ? m_files.novel : m_files.general;
    const QString fileName = QFileInfo(target).fileName();
    const std::optional<QByteArray> content = ReadingsFileBytes(novelOnly ? m_files.novelToRead : m_files.general);
    if (!content) {
        m_status->say(QStringLiteral("无法读取 %1，读音没有写入").arg(fileName));
        return;
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!ReplaceFile(target, WithListenerReading(*content, m_word, typed.pinyin))) {
        m_status->say(QStringLiteral("无法写入 %1，文件保持原样").arg(fileName));
        return;
    }
    QDialog::accept();
}

// The word is no longer heard once the dialog closes, by OK or by Cancel.
void ReadingDialog::done(int result)
{
    if (m_voice)
        m_voice->Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    QDialog::done(result);
}
