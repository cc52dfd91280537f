#pragma once
#include "SynthTypes.h"
#include <QList>
#include <QString>

// The voices as "调整语音" offers them: the Chinese ones first under Chinese names (Mandarin,
// Cantonese, Hakka), then the others, under "其他语言", by their engine names.
struct VoiceChoice
{
    QString caption;
    QString id; // the engine's voice
    bool chinese = false;
};

QList<VoiceChoice> VoiceChoices(const QList<VoiceInfo> &voices);

// The heading of the voices of other languages.
inline const QString kOtherLanguages = QStringLiteral("其他语言");
