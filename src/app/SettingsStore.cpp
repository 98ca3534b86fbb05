#include "app/SettingsStore.h"

#include "app/IniFile.h"

#include <BuildConfig.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

SettingsStore::SettingsStore() : SettingsStore(DefaultLocation()) {}

SettingsStore::SettingsStore(Location location) : m_location(std::move(location))
{
    if (!m_location.isWritableFolder) {
        m_location.isWritableFolder = &SettingsStore::IsWritableFolder;
    }
}

SettingsStore::Location SettingsStore::DefaultLocation()
{
    // An installed program never writes beside itself, not even as root.
    const QString own = QCoreApplication::applicationDirPath();
    return {IsSystemFolder(own) ? QString() : own, FallbackFolder(), &SettingsStore::IsWritableFolder};
}

bool SettingsStore::IsSystemFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (clean == QStringLiteral(VORLANTA_INSTALL_BINDIR))
        return true;
    for (const QString& root : {QStringLiteral("/usr"), QStringLiteral("/bin"), QStringLiteral("/sbin")}) {
        if (clean == root || clean.startsWith(root + QLatin1Char('/')))
            return true;
    }
    return false;
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

SettingsRecord SettingsStore::Defaults()
{
    return {DefaultSourceFolder(), kDefaultDestFolder, kDefaultBitRate};
}

QString SettingsStore::SettingsFilePath() const
{
    const QString& folder = m_location.isWritableFolder(m_location.programFolder)
                                ? m_location.programFolder
                                : m_location.fallbackFolder;
    return QDir(folder).filePath(kFileName);
}

void SettingsStore::ReadSettingsFile(SettingsRecord& record) const
{
    IniFile file(SettingsFilePath());
    file.Load();
    record.SourceFolder = file.ReadString(kSection, kSourceFolderKey, DefaultSourceFolder(),
                                          SettingsRecord::kFolderSize);
    record.DestFolder = file.ReadString(kSection, kDestFolderKey, kDefaultDestFolder,
                                        SettingsRecord::kFolderSize);
    record.BitRate = file.ReadString(kSection, kBitRateKey, kDefaultBitRate, SettingsRecord::kBitRateSize);
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
    if (!QDir().mkpath(QFileInfo(file.Path()).absolutePath())) {
        return false;
    }
    return file.Save();
}
