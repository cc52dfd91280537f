#pragma once
#include <QString>

// The listening speed kept for each novel in the settings (section YUSU, one key per novel named
// by the mark of its path, which older versions never read): the factor of the rate set in
// "调整语音", from 0.5 to 3.
namespace NovelSpeed {

constexpr double kMinimum = 0.5;
constexpr double kMaximum = 3.0;

// The speed kept for the novel at `novelPath`; 1 when none is kept (or what is kept is no speed).
double Kept(const QString &novelPath);
// Keeps `speed` for the novel; false when the settings could not be written.
bool Keep(const QString &novelPath, double speed);

}
