#include "SinkMonitor.h"
#include <QAudioDevice>
#include <QMediaDevices>
#include <QTest>
#include <cmath>

namespace {
constexpr int Rate = 22050;
}

bool SoundServerReachable()
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

SinkMonitor::SinkMonitor() = default;

SinkMonitor::~SinkMonitor()
{
    m_parec.kill();
    m_parec.waitForFinished(2000);
}

bool SinkMonitor::start()
{
    m_parec.start(QStringLiteral("parec"),
                  {QStringLiteral("--device=@DEFAULT_MONITOR@"), QStringLiteral("--format=s16le"),
                   QStringLiteral("--rate=%1").arg(Rate), QStringLiteral("--channels=1"),
                   QStringLiteral("--latency-msec=20")});
    if (!m_parec.waitForStarted(3000))
        return false;
    // The first data shows that the recording runs.
    return QTest::qWaitFor([this] { collect(); return !m_samples.isEmpty(); }, 3000);
}

void SinkMonitor::collect()
{
    m_samples.append(m_parec.readAllStandardOutput());
}

void SinkMonitor::restart()
{
    collect();
    m_samples.clear();
}

double SinkMonitor::rms()
{
    collect();
    const qsizetype count = m_samples.size() / 2;
    if (count == 0)
        return 0;
    const auto *samples = reinterpret_cast<const qint16 *>(m_samples.constData());
    double sum = 0;
    for (qsizetype i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(count));
}

qint64 SinkMonitor::recordedMilliseconds()
{
    collect();
    return m_samples.size() / 2 * 1000 / Rate;
}
