// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/SettingsRecord.h"

#include <QString>
#include <functional>

class IniFile;

// Keeps the SettingsRecord in the settings file "config.ini", section
// "Settings", keys "Source Folder", "Dest Folder" and "BitRate". The file
// lives in the user's configuration folder ($XDG_CONFIG_HOME/vorlanta),
// wherever the program is installed. A portable copy keeps it beside the
// executable instead: started with --portable, or with the marker file
// kPortableMarker beside it (the build folder has one). A portable copy
// whose folder cannot be written falls back to the configuration folder.
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
    // "track" or "album"; absent while loudness tags are off.
    static inline const QString kLoudnessKey = QStringLiteral("Write Loudness Tags");
    // "vbr" or "abr", and the VBR quality 0 to 9; both absent while the
    // default mode is a constant bitrate.
    static inline const QString kEncodeModeKey = QStringLiteral("Encode Mode");
    static inline const QString kVbrQualityKey = QStringLiteral("VBR Quality");
    static inline const QString kKeepJobsKey = QStringLiteral("Keep Unfinished Jobs");
    // Written only when it is not 1, so that the file keeps its three keys
    // for everyone who converts one job at a time.
    static inline const QString kSimultaneousKey = QStringLiteral("Simultaneous Conversions");
    static inline const QString kDefaultDestFolder = QStringLiteral("c");
    static inline const QString kDefaultBitRate = QStringLiteral("128");
    // A file of this name beside the executable makes the copy portable.
    static inline const QString kPortableMarker = QStringLiteral("vorlanta.portable");

    // Where the file may live.
    struct Location {
        QString programFolder;   // a portable copy's folder, tried first; empty when installed
        QString fallbackFolder;  // used when there is none, or it cannot be written
        std::function<bool(const QString& folder)> isWritableFolder;
    };

    // DefaultLocation() without --portable.
    SettingsStore();
    explicit SettingsStore(Location location);

    // The executable's folder when this copy is portable (`portable` asked
    // for on the command line, or the marker file beside it), then
    // $XDG_CONFIG_HOME/vorlanta.
    static Location DefaultLocation(bool portable = false);
    // The same for a program in `programFolder`: portable when asked for, or
    // when the folder holds the marker file.
    static Location LocationFor(const QString& programFolder, bool portable);
    // $XDG_CONFIG_HOME/vorlanta, or ~/.config/vorlanta when that is not set.
    static QString FallbackFolder();
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
    static void ReadEncodeMode(const IniFile& file, SettingsRecord& record);

    Location m_location;
};
