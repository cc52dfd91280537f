#pragma once
#include "SpeechSettings.h"
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <memory>

// A word heard `frame` samples after the start of its stream's audio, at a place of the text in
// UTF-16 units.
struct WordMark
{
    qint64 frame = 0;
    int position = 0;
    int length = 0;
};

// One text to synthesise for one voice. Everything up to *cancelUpTo of that voice's streams is
// abandoned: the worker skips or stops it as soon as it sees the number raised.
struct SynthRequest
{
    quint64 voiceId = 0;
    int stream = 0;
    QString text;
    SpeechSettings settings;
    std::shared_ptr<std::atomic<int>> cancelUpTo;
    // The listener's own reading files, later ones winning (the general file, then the novel's).
    QStringList readingsFiles;
    // The listener's text rule files (the general one, then the novel's), applied before the
    // reading layer; the words heard still mark `text` itself.
    QStringList rulesFiles;
    // The text of its line before and after `text`, which the rules see but the voice never says.
    QString textBefore;
    QString textAfter;

    bool cancelled() const { return cancelUpTo && stream <= cancelUpTo->load(); }
};

// One voice offered by the synthesiser. `id` is what the settings store.
struct VoiceInfo
{
    QString id;
    QString name;
    QString language;
};

Q_DECLARE_METATYPE(WordMark)
Q_DECLARE_METATYPE(SynthRequest)
