#pragma once
#include "SpeechSettings.h"
#include <QDialog>
#include <memory>

class QComboBox;
class QSpinBox;
class EspeakVoice;

// Lets the user choose the voice, rate, pitch and volume of the speech engine and the pauses
// after clauses, sentences, paragraphs and headings, and hear them
// ("试听") before keeping them. Accepting stores them for the voices created from then on.
class SpeechSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SpeechSettingsDialog(QWidget *parent = nullptr);
    ~SpeechSettingsDialog() override;

    SpeechSettings settings() const;
    void setSettings(const SpeechSettings &settings);
    void accept() override;

    static QString sampleText();
    // The voice of the last preview, null before the first.
    const EspeakVoice *previewVoice() const { return m_previewVoice.get(); }

private:
    void preview();
    QSpinBox *addNumber(class QFormLayout *form, const QString &label, int minimum, int maximum);

    QComboBox *m_voice;
    QSpinBox *m_rate;
    QSpinBox *m_pitch;
    QSpinBox *m_volume;
    QSpinBox *m_pauses[4]; // clause, sentence, paragraph, heading
    QComboBox *m_headings; // by SpeechSettings::Headings
    std::unique_ptr<EspeakVoice> m_previewVoice;
};

// Opens the dialog modally over `parent` with the stored settings.
void ShowSpeechSettingsDialog(QWidget *parent);
