// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/SettingsStore.h"

#include "base/IniFile.h"
#include "convert/OutputRatePlan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <thread>
#include <utility>

namespace {

// Every one of the fourteen bitrates can be encoded at this rate, and no other.
constexpr int kMpeg1SampleRate = 44100;

}  // namespace

SettingsStore::SettingsStore() : SettingsStore(DefaultLocation())
{
}

SettingsStore::SettingsStore(Location location) : m_location(std::move(location))
{
    if (!m_location.isWritableFolder) {
        m_location.isWritableFolder = &SettingsStore::IsWritableFolder;
    }
}

SettingsStore::Location SettingsStore::DefaultLocation(bool portable)
{
    return LocationFor(QCoreApplication::applicationDirPath(), portable);
}

SettingsStore::Location SettingsStore::LocationFor(const QString& programFolder, bool portable)
{
    // Whether the folder can be written says nothing about whether the
    // program is installed (~/.local/bin, /opt as root): only the user does.
    const bool marked = !programFolder.isEmpty() && QFileInfo::exists(QDir(programFolder).filePath(kPortableMarker));
    return {portable || marked ? programFolder : QString(), FallbackFolder(), &SettingsStore::IsWritableFolder};
}

QString SettingsStore::FallbackFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/vorlanta");
}

bool SettingsStore::IsWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isDir() && info.isWritable();
}

QString SettingsStore::DefaultSourceFolder()
{
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (!music.isEmpty() && QFileInfo(music).isDir()) {
        return music;
    }
    return QDir::homePath();
}

int SettingsStore::MaxSimultaneousConversions()
{
    return std::max(1U, std::thread::hardware_concurrency());
}

int SettingsStore::ClampSimultaneousConversions(int count)
{
    return std::clamp(count, 1, MaxSimultaneousConversions());
}

SettingsRecord SettingsStore::Defaults()
{
    return {DefaultSourceFolder(), kDefaultDestFolder, kDefaultBitRate, 1};
}

QString SettingsStore::SettingsFilePath() const
{
    const QString& folder
        = m_location.isWritableFolder(m_location.programFolder) ? m_location.programFolder : m_location.fallbackFolder;
    return QDir(folder).filePath(kFileName);
}

void SettingsStore::ReadSettingsFile(SettingsRecord& record) const
{
    IniFile file(SettingsFilePath());
    file.Load();
    record.SourceFolder = StoredFolder(file, kSourceFolderKey, DefaultSourceFolder());
    record.DestFolder = StoredFolder(file, kDestFolderKey, kDefaultDestFolder);
    record.BitRate = file.ReadString(kSection, kBitRateKey, kDefaultBitRate, SettingsRecord::kBitRateSize);
    bool isNumber = false;
    const int simultaneous = file.Value(kSection, kSimultaneousKey).value_or(QString()).toInt(&isNumber);
    record.SimultaneousConversions = isNumber ? ClampSimultaneousConversions(simultaneous) : 1;
    // A hand-edited or damaged value would reach result names and the pages:
    // anything but one of the fourteen rates is the default, and is saved so.
    const QString rate = record.BitRate.trimmed();
    const int value = rate.toInt();
    if (QString::number(value) != rate || !OutputRatePlan::Carries(kMpeg1SampleRate, value))
        record.BitRate = kDefaultBitRate;
    record.SkipLowerSources = file.Value(kSection, kSkipLowerKey).value_or(QString()).trimmed() == QLatin1String("1");
    record.KeepUnfinishedJobs = file.Value(kSection, kKeepJobsKey).value_or(QString()).trimmed() == QLatin1String("1");
    record.SplitLongSources = file.Value(kSection, kSplitKey).value_or(QString()).trimmed() != QLatin1String("0");
    const QString loudness = file.Value(kSection, kLoudnessKey).value_or(QString()).trimmed().toLower();
    record.WriteLoudnessTags = loudness == QLatin1String("album")
        ? LoudnessTags::Album
        : (loudness == QLatin1String("track") ? LoudnessTags::Track : LoudnessTags::Off);
    ReadEncodeMode(file, record);
}

// An unknown mode reads as a constant bitrate, a quality out of 0..9 as the
// default quality.
void SettingsStore::ReadEncodeMode(const IniFile& file, SettingsRecord& record)
{
    const QString mode = file.Value(kSection, kEncodeModeKey).value_or(QString()).trimmed().toLower();
    record.EncodeMode = mode == QLatin1String("vbr")
        ? EncodeSettings::Mode::Vbr
        : (mode == QLatin1String("abr") ? EncodeSettings::Mode::Abr : EncodeSettings::Mode::Cbr);
    bool isNumber = false;
    const int quality = file.Value(kSection, kVbrQualityKey).value_or(QString()).trimmed().toInt(&isNumber);
    record.VbrQuality = isNumber && EncodeSettings::Vbr(quality).Valid() ? quality : EncodeSettings{}.quality;
}

// A stored folder that does not exist (any more) reads as empty: results
// then go beside their sources. A missing key keeps its default.
QString SettingsStore::StoredFolder(const IniFile& file, const QString& key, const QString& fallback)
{
    const QString folder = file.ReadString(kSection, key, fallback, SettingsRecord::kFolderSize);
    if (folder == fallback || QFileInfo(folder).isDir())
        return folder;
    return {};
}

bool SettingsStore::WriteSettingsFile(const SettingsRecord& record) const
{
    IniFile file(SettingsFilePath());
    // A file that exists but cannot be read is not replaced: its other
    // sections would be lost.
    if (!file.Load()) {
        return false;
    }
    file.SetValue(kSection, kSourceFolderKey, record.SourceFolder);
    file.SetValue(kSection, kDestFolderKey, record.DestFolder);
    file.SetValue(kSection, kBitRateKey, record.BitRate);
    if (record.SimultaneousConversions != 1) {
        file.SetValue(kSection, kSimultaneousKey, QString::number(record.SimultaneousConversions));
    } else {
        file.RemoveValue(kSection, kSimultaneousKey);
    }
    for (const auto& [key, on] :
         {std::pair{kSkipLowerKey, record.SkipLowerSources}, std::pair{kKeepJobsKey, record.KeepUnfinishedJobs}}) {
        if (on) {
            file.SetValue(kSection, key, QStringLiteral("1"));
        } else {
            file.RemoveValue(kSection, key);
        }
    }
    // On by default: only "off" is written.
    if (record.SplitLongSources) {
        file.RemoveValue(kSection, kSplitKey);
    } else {
        file.SetValue(kSection, kSplitKey, QStringLiteral("0"));
    }
    if (record.WriteLoudnessTags == LoudnessTags::Off) {
        file.RemoveValue(kSection, kLoudnessKey);
    } else {
        file.SetValue(kSection, kLoudnessKey,
                      record.WriteLoudnessTags == LoudnessTags::Album ? QStringLiteral("album")
                                                                      : QStringLiteral("track"));
    }
    if (record.EncodeMode == EncodeSettings::Mode::Cbr) {
        file.RemoveValue(kSection, kEncodeModeKey);
        file.RemoveValue(kSection, kVbrQualityKey);
    } else {
        file.SetValue(kSection, kEncodeModeKey,
                      record.EncodeMode == EncodeSettings::Mode::Vbr ? QStringLiteral("vbr") : QStringLiteral("abr"));
        file.SetValue(kSection, kVbrQualityKey, QString::number(record.VbrQuality));
    }
    if (!QDir().mkpath(QFileInfo(file.Path()).absolutePath())) {
        return false;
    }
    return file.Save();
}
