#include "SpeechSettingsDialog.h"
#include "EspeakVoice.h"
#include "VoiceChoices.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QVBoxLayout>

SpeechSettingsDialog::SpeechSettingsDialog(QWidget *parent)
    : QDialog(parent), m_voice(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("语音设置"));
    auto *form = new QFormLayout;
    bool otherLanguages = false;
    for (const VoiceChoice &choice : VoiceChoices(AvailableVoices())) {
        if (!choice.chinese && !otherLanguages) { // a heading that cannot be chosen
            otherLanguages = true;
            m_voice->insertSeparator(m_voice->count());
            m_voice->addItem(kOtherLanguages);
            qobject_cast<QStandardItemModel *>(m_voice->model())->item(m_voice->count() - 1)->setEnabled(false);
        }
        m_voice->addItem(choice.caption, choice.id);
    }
    m_voice->setAccessibleName(QStringLiteral("语音"));
    form->addRow(QStringLiteral("语音"), m_voice);
    m_rate = addNumber(form, QStringLiteral("语速"), SpeechSettings::MinimumRate,
                       SpeechSettings::MaximumRate);
    m_pitch = addNumber(form, QStringLiteral("音调"), 0, SpeechSettings::MaximumPitch);
    m_volume = addNumber(form, QStringLiteral("音量"), 0, SpeechSettings::MaximumVolume);
    // The pauses the program makes, in milliseconds, the same at every speed.
    const QString pauses[] = {QStringLiteral("逗号后停顿（毫秒）"), QStringLiteral("句末停顿（毫秒）"),
                              QStringLiteral("段落之间停顿（毫秒）"), QStringLiteral("章节标题后停顿（毫秒）")};
    for (int i = 0; i < 4; ++i) {
        m_pauses[i] = addNumber(form, pauses[i], 0, SpeechSettings::MaximumPauseMs);
        m_pauses[i]->setSingleStep(50);
    }
    m_headings = new QComboBox(this);
    m_headings->addItems({QStringLiteral("朗读"), QStringLiteral("朗读并停顿"), QStringLiteral("跳过")});
    m_headings->setObjectName(QStringLiteral("headings"));
    m_headings->setAccessibleName(QStringLiteral("章节标题"));
    form->addRow(QStringLiteral("章节标题"), m_headings);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *previewButton = buttons->addButton(QStringLiteral("试听"),
                                                    QDialogButtonBox::ActionRole);
    previewButton->setObjectName(QStringLiteral("preview"));
    connect(previewButton, &QPushButton::clicked, this, &SpeechSettingsDialog::preview);
    connect(buttons, &QDialogButtonBox::accepted, this, &SpeechSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SpeechSettingsDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setSettings(LoadSpeechSettings());
}

SpeechSettingsDialog::~SpeechSettingsDialog() = default;

QSpinBox *SpeechSettingsDialog::addNumber(QFormLayout *form, const QString &label, int minimum,
                                          int maximum)
{
    auto *box = new QSpinBox(this);
    box->setRange(minimum, maximum);
    box->setAccessibleName(label);
    form->addRow(label, box);
    return box;
}

SpeechSettings SpeechSettingsDialog::settings() const
{
    SpeechSettings result;
    result.voice = m_voice->currentData().toString();
    result.rate = m_rate->value();
    result.pitch = m_pitch->value();
    result.volume = m_volume->value();
    result.clausePauseMs = m_pauses[0]->value();
    result.sentencePauseMs = m_pauses[1]->value();
    result.paragraphPauseMs = m_pauses[2]->value();
    result.headingPauseMs = m_pauses[3]->value();
    result.headings = SpeechSettings::Headings(m_headings->currentIndex());
    return result.clamped();
}

void SpeechSettingsDialog::setSettings(const SpeechSettings &settings)
{
    // A stored voice may be named by its language ("cmn-latn-pinyin") or by its file.
    int index = m_voice->findData(settings.voice, Qt::UserRole, Qt::MatchFixedString);
    for (int i = 0; index < 0 && i < m_voice->count(); ++i) {
        if (m_voice->itemData(i).toString().endsWith(u'/' + settings.voice, Qt::CaseInsensitive))
            index = i;
    }
    m_voice->setCurrentIndex(std::max(index, 0));
    m_rate->setValue(settings.rate);
    m_pitch->setValue(settings.pitch);
    m_volume->setValue(settings.volume);
    m_pauses[0]->setValue(settings.clausePauseMs);
    m_pauses[1]->setValue(settings.sentencePauseMs);
    m_pauses[2]->setValue(settings.paragraphPauseMs);
    m_pauses[3]->setValue(settings.headingPauseMs);
    m_headings->setCurrentIndex(int(settings.headings));
}

QString SpeechSettingsDialog::sampleText()
{
    return QStringLiteral("你好，这是语音试听。今天天气很好！\n第二段从这里开始。");
}

void SpeechSettingsDialog::preview()
{
    m_previewVoice = std::make_unique<EspeakVoice>(settings());
    m_previewVoice->Speak(sampleText(), SpeechVoice::SVSFlagsAsync);
}

void SpeechSettingsDialog::accept()
{
    SaveSpeechSettings(settings());
    QDialog::accept();
}

void ShowSpeechSettingsDialog(QWidget *parent)
{
    SpeechSettingsDialog dialog(parent);
    dialog.exec();
}
