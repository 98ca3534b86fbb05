// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/SettingsStore.h"

#include "FileBytes.h"
#include "base/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>

namespace {

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : m_name(name)
    {
        if (qEnvironmentVariableIsSet(name)) {
            m_old = qgetenv(name);
        }
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_old) {
            qputenv(m_name, *m_old);
        } else {
            qunsetenv(m_name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};

// Makes every write that would grow a file past `limit` bytes fail, also for
// root, for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = limit;
        m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_active = false;
};

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString ProgramFolder() const { return dir.filePath("program"); }
    QString FallbackFolder() const { return dir.filePath("config/vorlanta"); }

    SettingsStore StoreIn(const QString& programFolder, bool writable = true) const
    {
        return SettingsStore(
            SettingsStore::Location{programFolder, FallbackFolder(), [writable](const QString& folder) {
                                        return writable && SettingsStore::IsWritableFolder(folder);
                                    }});
    }

    SettingsStore Store() const
    {
        QDir().mkpath(ProgramFolder());
        return StoreIn(ProgramFolder());
    }

    QString ConfigPath() const { return QDir(ProgramFolder()).filePath("config.ini"); }

    QTemporaryDir dir;
};

TEST_F(SettingsStoreTest, MissingFileGivesDefaultsAndExitCreatesIt)
{
    const SettingsStore store = Store();
    SettingsRecord record{"old", "old", "old"};
    store.ReadSettingsFile(record);
    EXPECT_EQ(record.SourceFolder, SettingsStore::DefaultSourceFolder());
    EXPECT_EQ(record.DestFolder, "c");
    EXPECT_EQ(record.BitRate, "128");
    EXPECT_FALSE(QFile::exists(ConfigPath()));

    ASSERT_TRUE(store.WriteSettingsFile(record));
    EXPECT_EQ(ReadAll(ConfigPath()),
              "[Settings]\nSource Folder=" + record.SourceFolder.toUtf8() + "\nDest Folder=c\nBitRate=128\n");
}

TEST_F(SettingsStoreTest, ValuesRoundTripVerbatim)
{
    const SettingsStore store = Store();
    const SettingsRecord written{dir.filePath("Mus ic;x=\"y\""), dir.filePath("dest\\sub"), " 96"};
    ASSERT_TRUE(QDir().mkpath(written.SourceFolder) && QDir().mkpath(written.DestFolder));
    ASSERT_TRUE(store.WriteSettingsFile(written));
    EXPECT_TRUE(ReadAll(ConfigPath()).contains("Source Folder=" + written.SourceFolder.toUtf8() + "\n"));

    SettingsRecord read;
    store.ReadSettingsFile(read);
    EXPECT_EQ(read.SourceFolder, written.SourceFolder);
    EXPECT_EQ(read.DestFolder, written.DestFolder);
    // The profile reader drops the blank in front of a value; readers of the
    // bitrate skip leading blanks anyway.
    EXPECT_EQ(read.BitRate, "96");

    // A second write replaces the values instead of adding keys.
    ASSERT_TRUE(store.WriteSettingsFile({"a", "b", "320"}));
    EXPECT_EQ(ReadAll(ConfigPath()), "[Settings]\nSource Folder=a\nDest Folder=b\nBitRate=320\n");
}

// The fourth key is written only while it says something: a file of one
// simultaneous conversion keeps exactly its three keys.
TEST_F(SettingsStoreTest, SimultaneousConversionsRoundTripWithoutDisturbingTheThreeKeys)
{
    const SettingsStore store = Store();
    const QByteArray threeKeys = "[Settings]\nSource Folder=a\nDest Folder=b\nBitRate=320\n";
    ASSERT_TRUE(store.WriteSettingsFile({"a", "b", "320", 1}));
    EXPECT_EQ(ReadAll(ConfigPath()), threeKeys);

    const int most = SettingsStore::MaxSimultaneousConversions();
    ASSERT_TRUE(store.WriteSettingsFile({"a", "b", "320", most}));
    EXPECT_EQ(ReadAll(ConfigPath()), threeKeys + "Simultaneous Conversions=" + QByteArray::number(most) + "\n");
    SettingsRecord read;
    store.ReadSettingsFile(read);
    EXPECT_EQ(read.SimultaneousConversions, most);
    EXPECT_EQ(read.BitRate, "320");

    ASSERT_TRUE(store.WriteSettingsFile({"a", "b", "320", 1}));
    EXPECT_EQ(ReadAll(ConfigPath()), threeKeys);

    // Values the machine cannot offer are brought into range.
    for (const auto& [text, expected] : {std::pair{"0", 1}, {"-3", 1}, {"x", 1}, {"100000", most}}) {
        ASSERT_TRUE(WriteAll(ConfigPath(), threeKeys + "Simultaneous Conversions=" + text + "\n"));
        store.ReadSettingsFile(read);
        EXPECT_EQ(read.SimultaneousConversions, expected) << text;
    }
}

TEST_F(SettingsStoreTest, LongValuesAreCutOnRead)
{
    const SettingsStore store = Store();
    // Folders that exist once cut: a folder that does not reads as empty.
    const QString base = dir.path() + "/";
    const QString longFolder = base + QString(300 - base.size(), u'f');
    const QString otherFolder = base + QString(254 - base.size(), u'g') + "hi";
    ASSERT_TRUE(QDir().mkpath(longFolder.left(255)) && QDir().mkpath(otherFolder.left(255)));
    ASSERT_TRUE(WriteAll(ConfigPath(),
                         "[Settings]\nSource Folder=" + longFolder.toUtf8() + "\nDest Folder=" + otherFolder.toUtf8()
                             + "\nBitRate=1280\n"));
    SettingsRecord record;
    store.ReadSettingsFile(record);
    EXPECT_EQ(record.SourceFolder, longFolder.left(SettingsRecord::kFolderSize - 1));
    EXPECT_EQ(record.DestFolder, base + QString(254 - base.size(), u'g') + "h");
    EXPECT_EQ(record.BitRate, "128");
}

TEST_F(SettingsStoreTest, MissingKeysFallBackOneByOne)
{
    const SettingsStore store = Store();
    ASSERT_TRUE(WriteAll(ConfigPath(), "[settings]\ndest folder=/tmp\n"));
    SettingsRecord record;
    store.ReadSettingsFile(record);
    EXPECT_EQ(record.SourceFolder, SettingsStore::DefaultSourceFolder());
    EXPECT_EQ(record.DestFolder, "/tmp");
    EXPECT_EQ(record.BitRate, "128");
}

TEST_F(SettingsStoreTest, DamagedValuesReadAsDefaultsAndAreSavedSo)
{
    const SettingsStore store = Store();
    for (const QByteArray rate : {"abc", "9999", "-64", "+96", "096", "", "100"}) {
        SCOPED_TRACE(rate.constData());
        ASSERT_TRUE(WriteAll(ConfigPath(),
                             "[Settings]\nSource Folder=" + dir.path().toUtf8()
                                 + "\nDest Folder=/no/such/folder\nBitRate=" + rate + "\n"));
        SettingsRecord record;
        store.ReadSettingsFile(record);
        EXPECT_EQ(record.SourceFolder, dir.path());
        EXPECT_EQ(record.DestFolder, "");  // results beside their sources
        EXPECT_EQ(record.BitRate, "128");
        ASSERT_TRUE(store.WriteSettingsFile(record));
        EXPECT_TRUE(ReadAll(ConfigPath()).contains("\nDest Folder=\nBitRate=128\n"));
    }
    ASSERT_TRUE(WriteAll(ConfigPath(), "[Settings]\nBitRate= 64\n"));
    SettingsRecord record;
    store.ReadSettingsFile(record);
    EXPECT_EQ(record.BitRate.trimmed(), "64");
}

TEST_F(SettingsStoreTest, ForeignKeysSectionsAndCommentsSurviveAWrite)
{
    const SettingsStore store = Store();
    const QByteArray before = "; written by hand\r\n"
                              "[Window]\r\n"
                              "Left=10\r\n"
                              "\r\n"
                              "[Settings]\r\n"
                              "BitRate=64\r\n"
                              "Theme=dark\r\n"
                              "\r\n"
                              "[Later]\r\n"
                              "Key=value with = sign\r\n";
    ASSERT_TRUE(WriteAll(ConfigPath(), before));

    ASSERT_TRUE(store.WriteSettingsFile({"/src", "/dst", "192"}));
    EXPECT_EQ(ReadAll(ConfigPath()),
              "; written by hand\r\n"
              "[Window]\r\n"
              "Left=10\r\n"
              "\r\n"
              "[Settings]\r\n"
              "BitRate=192\r\n"
              "Theme=dark\r\n"
              "Source Folder=/src\r\n"
              "Dest Folder=/dst\r\n"
              "\r\n"
              "[Later]\r\n"
              "Key=value with = sign\r\n");
}

TEST_F(SettingsStoreTest, WriteLeavesNoTemporaryFiles)
{
    const SettingsStore store = Store();
    ASSERT_TRUE(store.WriteSettingsFile({"/a", "/b", "128"}));
    ASSERT_TRUE(store.WriteSettingsFile({"/c", "/d", "160"}));
    EXPECT_EQ(FilesIn(ProgramFolder()), QStringList{"config.ini"});
}

TEST_F(SettingsStoreTest, FailedWriteLeavesOldFileWhole)
{
    const SettingsStore store = Store();
    ASSERT_TRUE(store.WriteSettingsFile({"/old/source", "/old/dest", "128"}));
    const QByteArray before = ReadAll(ConfigPath());

    const SettingsRecord huge{QString(100000, u's'), "/new/dest", "320"};
    {
        FileSizeLimit limit(static_cast<rlim_t>(before.size()) + 16);
        ASSERT_TRUE(limit.Active());
        EXPECT_FALSE(store.WriteSettingsFile(huge));
    }
    EXPECT_EQ(ReadAll(ConfigPath()), before);
    EXPECT_EQ(FilesIn(ProgramFolder()), QStringList{"config.ini"});
    // With room again the same write goes through.
    EXPECT_TRUE(store.WriteSettingsFile(huge));
}

TEST_F(SettingsStoreTest, UnreadableFileIsNotReplaced)
{
    const SettingsStore store = Store();
    // A folder where the file should be can be neither read nor replaced.
    ASSERT_TRUE(QDir(ProgramFolder()).mkdir("config.ini"));
    EXPECT_FALSE(store.WriteSettingsFile({"/a", "/b", "128"}));
    EXPECT_TRUE(QFileInfo(ConfigPath()).isDir());
    SettingsRecord record;
    store.ReadSettingsFile(record);
    EXPECT_EQ(record.DestFolder, "c");
}

TEST_F(SettingsStoreTest, FileLivesInProgramFolderWhenWritable)
{
    const SettingsStore store = Store();
    EXPECT_EQ(store.SettingsFilePath(), ConfigPath());
    ASSERT_TRUE(store.WriteSettingsFile({"/a", "/b", "128"}));
    EXPECT_TRUE(QFile::exists(ConfigPath()));
    EXPECT_FALSE(QDir(FallbackFolder()).exists());
}

TEST_F(SettingsStoreTest, UnwritableProgramFolderFallsBackToUserConfig)
{
    QDir().mkpath(ProgramFolder());
    const QString fallbackPath = QDir(FallbackFolder()).filePath("config.ini");

    EXPECT_EQ(StoreIn(ProgramFolder(), false).SettingsFilePath(), fallbackPath);
    EXPECT_EQ(StoreIn(dir.filePath("does/not/exist")).SettingsFilePath(), fallbackPath);
    ASSERT_TRUE(WriteAll(dir.filePath("plain"), "x"));
    EXPECT_EQ(StoreIn(dir.filePath("plain/sub")).SettingsFilePath(), fallbackPath);

    // The fallback folder is made on the first write, and read from later.
    const SettingsStore store = StoreIn(ProgramFolder(), false);
    ASSERT_TRUE(store.WriteSettingsFile({"/a", "/b", "224"}));
    EXPECT_TRUE(QFile::exists(fallbackPath));
    EXPECT_FALSE(QFile::exists(ConfigPath()));
    SettingsRecord record;
    store.ReadSettingsFile(record);
    EXPECT_EQ(record.BitRate, "224");
}

TEST_F(SettingsStoreTest, FallbackFolderFollowsXdgConfigHome)
{
    {
        ScopedEnv config("XDG_CONFIG_HOME", dir.filePath("xdg").toUtf8());
        EXPECT_EQ(SettingsStore::FallbackFolder(), dir.filePath("xdg") + "/vorlanta");
    }
    ScopedEnv home("HOME", dir.path().toUtf8());
    {
        ScopedEnv config("XDG_CONFIG_HOME", "");
        EXPECT_EQ(SettingsStore::FallbackFolder(), dir.path() + "/.config/vorlanta");
    }
    ScopedEnv config("XDG_CONFIG_HOME", "relative/path");
    EXPECT_EQ(SettingsStore::FallbackFolder(), dir.path() + "/.config/vorlanta");
}

// The build folder is a portable copy (it has the marker file), so the
// tests' own folder holds the file, whatever the current folder.
TEST_F(SettingsStoreTest, BuildFolderKeepsTheFileBesideTheProgram)
{
    const QString before = QDir::currentPath();
    const QString path = SettingsStore().SettingsFilePath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QString elsewhere = SettingsStore().SettingsFilePath();
    QDir::setCurrent(before);

    EXPECT_EQ(path, elsewhere);
    EXPECT_EQ(path, QCoreApplication::applicationDirPath() + "/config.ini");
}

TEST_F(SettingsStoreTest, DefaultSourceFolderIsMusicFolderOrHome)
{
    ScopedEnv home("HOME", dir.path().toUtf8());
    ScopedEnv config("XDG_CONFIG_HOME", dir.filePath("empty-config").toUtf8());
    EXPECT_EQ(QDir::cleanPath(SettingsStore::DefaultSourceFolder()), QDir::cleanPath(dir.path()));

    ASSERT_TRUE(QDir(dir.path()).mkdir("Music"));
    EXPECT_EQ(QDir::cleanPath(SettingsStore::DefaultSourceFolder()), QDir::cleanPath(dir.filePath("Music")));
    EXPECT_EQ(SettingsStore::Defaults().SourceFolder, SettingsStore::DefaultSourceFolder());
}

TEST(SettingsStoreFolderTest, WritableFolderMustExistAsFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_TRUE(SettingsStore::IsWritableFolder(dir.path()));
    EXPECT_FALSE(SettingsStore::IsWritableFolder(dir.filePath("missing")));
    EXPECT_FALSE(SettingsStore::IsWritableFolder(QString()));
    ASSERT_TRUE(WriteAll(dir.filePath("file"), "x"));
    EXPECT_FALSE(SettingsStore::IsWritableFolder(dir.filePath("file")));
}

}  // namespace

// The choices of the General page that start off reach the file only while
// on, the one that starts on only while off; set back, the file is back to
// its three keys byte for byte.
TEST_F(SettingsStoreTest, ChoicesAreWrittenOnlyWhileOn)
{
    const SettingsStore store = Store();
    SettingsRecord record{"/music", "/out", "96"};
    ASSERT_TRUE(store.WriteSettingsFile(record));
    const QByteArray threeKeys = ReadAll(ConfigPath());

    record.SkipLowerSources = true;
    record.KeepUnfinishedJobs = true;
    record.SplitLongSources = false;
    record.WriteLoudnessTags = LoudnessTags::Album;
    ASSERT_TRUE(store.WriteSettingsFile(record));
    SettingsRecord read;
    store.ReadSettingsFile(read);
    EXPECT_TRUE(read.SkipLowerSources);
    EXPECT_TRUE(read.KeepUnfinishedJobs);
    EXPECT_FALSE(read.SplitLongSources);
    EXPECT_EQ(read.WriteLoudnessTags, LoudnessTags::Album);
    EXPECT_EQ(read.BitRate, "96");

    record.SkipLowerSources = false;
    record.KeepUnfinishedJobs = false;
    record.SplitLongSources = true;
    record.WriteLoudnessTags = LoudnessTags::Off;
    ASSERT_TRUE(store.WriteSettingsFile(record));
    EXPECT_EQ(ReadAll(ConfigPath()), threeKeys);
    store.ReadSettingsFile(read);
    EXPECT_FALSE(read.SkipLowerSources);
    EXPECT_FALSE(read.KeepUnfinishedJobs);
    EXPECT_TRUE(read.SplitLongSources);
}

// Installed anywhere, even in a folder its user may write (~/.local/bin,
// /opt as root), the file lives in $XDG_CONFIG_HOME/vorlanta; beside the
// program only for --portable or the marker file.
TEST_F(SettingsStoreTest, InstalledProgramKeepsTheFileInTheConfigurationFolder)
{
    ScopedEnv config("XDG_CONFIG_HOME", dir.filePath("xdg").toUtf8());
    const QString configured = dir.filePath("xdg") + "/vorlanta/config.ini";
    ASSERT_TRUE(QDir().mkpath(ProgramFolder()));
    const auto pathFor = [&](bool portable) {
        return SettingsStore(SettingsStore::LocationFor(ProgramFolder(), portable)).SettingsFilePath();
    };
    EXPECT_EQ(pathFor(false), configured);
    EXPECT_EQ(pathFor(true), ConfigPath());

    ASSERT_TRUE(WriteAll(QDir(ProgramFolder()).filePath(SettingsStore::kPortableMarker), ""));
    EXPECT_EQ(pathFor(false), ConfigPath());
}

// A constant bitrate keeps the file at its three keys; another default mode
// is written with its quality and read back, a damaged one reads as CBR.
TEST_F(SettingsStoreTest, EncodeModeIsWrittenOnlyWhenNotConstant)
{
    const SettingsStore store = Store();
    SettingsRecord record{"/music", "/out", "160"};
    ASSERT_TRUE(store.WriteSettingsFile(record));
    const QByteArray threeKeys = ReadAll(ConfigPath());
    EXPECT_FALSE(threeKeys.contains("Mode"));

    record.SetEncoding(EncodeSettings::Vbr(0));
    ASSERT_TRUE(store.WriteSettingsFile(record));
    EXPECT_TRUE(ReadAll(ConfigPath()).contains("Encode Mode=vbr"));
    SettingsRecord read;
    store.ReadSettingsFile(read);
    EXPECT_EQ(read.Encoding(), EncodeSettings::Vbr(0));
    EXPECT_EQ(read.BitRate, "160");  // kept for a return to CBR or ABR

    record.SetEncoding(EncodeSettings::Abr(160));
    ASSERT_TRUE(store.WriteSettingsFile(record));
    store.ReadSettingsFile(read);
    EXPECT_EQ(read.Encoding().Text(), "A160");

    record.SetEncoding(EncodeSettings::Cbr(160));
    ASSERT_TRUE(store.WriteSettingsFile(record));
    EXPECT_EQ(ReadAll(ConfigPath()), threeKeys);

    ASSERT_TRUE(WriteAll(ConfigPath(), "[Settings]\nEncode Mode=xyz\nVBR Quality=12\n"));
    store.ReadSettingsFile(read);
    EXPECT_EQ(read.EncodeMode, EncodeSettings::Mode::Cbr);
    EXPECT_EQ(read.VbrQuality, 2);
}
