// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/SettingsRecord.h"

#include <QString>
#include <functional>

class IniFile;

// Keeps the SettingsRecord in the settings file "config.ini", section
// "Settings", keys "Source Folder", "Dest Folder" and "BitRate". The file
// lives beside the executable; when the program is installed in a system
// folder, or its folder cannot be written, it lives in the user's
// configuration folder instead.
class SettingsStore {
public:
    static inline const QString kFileName = QStringLiteral("config.ini");
    static inline const QString kSection = QStringLiteral("Settings");
    static inline const QString kSourceFolderKey = QStringLiteral("Source Folder");
    static inline const QString kDestFolderKey = QStringLiteral("Dest Folder");
    static inline const QString kBitRateKey = QStringLiteral("BitRate");
    // Written only while on, so a file of a user who never turned them on
    // keeps exactly the three keys above.
    static inline const QString kSplitKey = QStringLiteral("Split Long Sources Across Cores");
    static inline const QString kSkipLowerKey = QStringLiteral("Skip Sources At Or Below Target");
    static inline const QString kKeepJobsKey = QStringLiteral("Keep Unfinished Jobs");
    // Written only when it is not 1, so that the file keeps its three keys
    // for everyone who converts one job at a time.
    static inline const QString kSimultaneousKey = QStringLiteral("Simultaneous Conversions");
    static inline const QString kDefaultDestFolder = QStringLiteral("c");
    static inline const QString kDefaultBitRate = QStringLiteral("128");

    // Where the file may live.
    struct Location {
        QString programFolder;   // the executable's folder, tried first
        QString fallbackFolder;  // used when programFolder cannot be written
        std::function<bool(const QString& folder)> isWritableFolder;
    };

    // The executable's folder (unless it is a system folder), then
    // $XDG_CONFIG_HOME/vorlanta.
    SettingsStore();
    explicit SettingsStore(Location location);

    static Location DefaultLocation();
    // $XDG_CONFIG_HOME/vorlanta, or ~/.config/vorlanta when that is not set.
    static QString FallbackFolder();
    // A folder of an installed program (/usr/..., /bin, /sbin or the folder
    // the build installs to), where no settings file may be written.
    static bool IsSystemFolder(const QString& folder);
    // An existing folder in which this process may create files.
    static bool IsWritableFolder(const QString& folder);
    // The user's music folder, or the home folder when there is none.
    static QString DefaultSourceFolder();
    // The most jobs converted at once: the number of processor cores.
    static int MaxSimultaneousConversions();
    // A count of simultaneous conversions brought into 1..the maximum.
    static int ClampSimultaneousConversions(int count);
    // The record a start without a settings file gets.
    static SettingsRecord Defaults();

    // The settings file's full path; the current directory plays no part.
    QString SettingsFilePath() const;
    // Fills `record` from the file; a missing file, section or key gives that
    // field's default. Values are cut to the record's buffer sizes. A bitrate
    // that is not one of the fourteen reads as the default, a folder that
    // does not exist as empty, and the simultaneous conversions are brought
    // into their range.
    void ReadSettingsFile(SettingsRecord& record) const;
    // Writes the three fields, and the simultaneous conversions when they
    // are not 1, leaving every other line of the file as it was. The file is
    // replaced atomically; false when it could not be written, and the old
    // file then stays as it was.
    bool WriteSettingsFile(const SettingsRecord& record) const;

private:
    static QString StoredFolder(const IniFile& file, const QString& key, const QString& fallback);

    Location m_location;
};
