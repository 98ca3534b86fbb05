// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/KeptJobsStore.h"

#include "FileBytes.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// Names with blanks, quotes, non-ASCII letters and backslashes come back as
// they went in, in their order; the folder is created on the first save; an
// empty list leaves no file behind.
TEST(KeptJobsStoreTest, RoundTripKeepsEveryJobInOrder)
{
    TempDir dir;
    const KeptJobsStore store(QString::fromStdString(dir.File("data/vorlanta")));
    const QList<KeptJobsStore::Job> jobs{
        {std::string("/music/Björk/01 \"Joga\".mp3"), std::string("/out/Björk/01 \"Joga\"_128.mp3"),
         EncodeSettings::Cbr(128)},
        {std::string("/music/a\\b.mp3"), std::string("/music/a\\b_96.mp3"), EncodeSettings::Cbr(96)},
        {std::string("/m/x.mp3"), std::string("/m/x_320.mp3"), EncodeSettings::Cbr(320)},
    };
    ASSERT_TRUE(store.Save(jobs));

    const KeptJobsStore::Loaded loaded = store.Load();
    EXPECT_EQ(loaded.state, KeptJobsStore::Loaded::State::Read);
    EXPECT_EQ(loaded.jobs, jobs);

    ASSERT_TRUE(store.Save({}));
    EXPECT_FALSE(QFile::exists(store.FilePath()));
    EXPECT_EQ(store.Load().state, KeptJobsStore::Loaded::State::NoFile);
}

// A file cut short, one that is not ours, or one with a job the program
// could never have made reads as damaged: no job is offered, and the file is
// moved aside with its bytes intact rather than lost to the next save.
TEST(KeptJobsStoreTest, DamagedFileIsKeptAsideAndYieldsNoJobs)
{
    TempDir dir;
    const KeptJobsStore store(QString::fromStdString(dir.Path()));
    const QByteArray whole = KeptJobsStore::Encode({{"/m/a.mp3", "/m/a_128.mp3", EncodeSettings::Cbr(128)},
                                                    {"/m/b.mp3", "/m/b_128.mp3", EncodeSettings::Cbr(128)}});
    QByteArray badRate = whole;
    badRate.replace("\"bitrate\":128", "\"bitrate\":129");
    for (const QByteArray& bytes :
         {whole.left(whole.size() / 2), QByteArray("[Settings]\nBitRate=128\n"), badRate, QByteArray()}) {
        ASSERT_TRUE(WriteAll(store.FilePath(), bytes));
        const KeptJobsStore::Loaded loaded = store.Load();
        EXPECT_EQ(loaded.state, KeptJobsStore::Loaded::State::Damaged);
        EXPECT_TRUE(loaded.jobs.isEmpty());
        EXPECT_FALSE(QFile::exists(store.FilePath()));
        ASSERT_FALSE(loaded.keptAside.isEmpty());
        EXPECT_EQ(ReadAll(loaded.keptAside), bytes);
    }
    // Four damaged files, four places aside: none overwrote another.
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path())).entryList(QDir::Files).size(), 4);
}
