// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

IniFile FromText(const QByteArray& text)
{
    IniFile file(QStringLiteral("unused.ini"));
    file.SetContents(text);
    return file;
}

TEST(IniFileTest, ValuesAreFoundCaseInsensitivelyAndTrimmed)
{
    const IniFile file = FromText("Stray=before any section\n"
                                  "; a comment\n"
                                  "[Other]\n"
                                  "Key=other\n"
                                  "  [ settings ]  \n"
                                  "# Key=commented out\n"
                                  "  key  =  spaced value  \n"
                                  "Empty=\n"
                                  "[Settings]\n"
                                  "Key=second section\n");
    EXPECT_EQ(file.Value("Settings", "KEY"), "spaced value");
    EXPECT_EQ(file.Value("other", "key"), "other");
    EXPECT_EQ(file.Value("Settings", "Empty"), "");
    EXPECT_EQ(file.Value("Settings", "Stray"), std::nullopt);
    EXPECT_EQ(file.Value("Missing", "Key"), std::nullopt);
    EXPECT_EQ(file.ReadString("Settings", "Nope", "fallback", 256), "fallback");
}

TEST(IniFileTest, ReadStringCutsToBufferSize)
{
    const IniFile file = FromText("[S]\nRate=1280\nName=abc\n");
    EXPECT_EQ(file.ReadString("S", "Rate", "", 4), "128");
    EXPECT_EQ(file.ReadString("S", "Name", "", 4), "abc");
    EXPECT_EQ(file.ReadString("S", "Missing", "default", 4), "def");

    // A character outside the basic plane is never cut in half.
    const QString wide = QString("ab") + QString::fromUcs4(U"\U0001F3B5");
    EXPECT_EQ(IniFile::CutToBuffer(wide, 4), "ab");
    EXPECT_EQ(IniFile::CutToBuffer(wide, 5), wide);
    EXPECT_EQ(IniFile::CutToBuffer("abc", 0), "");
}

TEST(IniFileTest, SettingValuesKeepEverythingElse)
{
    IniFile file = FromText("; keep me\n"
                            "[First]\n"
                            "A=1\n"
                            "\n"
                            "[Second]\n"
                            "B=2\n"
                            "\n"
                            "\n"
                            "[Third]\n"
                            "C=3");
    file.SetValue("second", "b", "two");
    file.SetValue("Second", "New", "added");
    file.SetValue("Third", "D", "4");
    file.SetValue("Fourth", "E", "5");
    EXPECT_EQ(file.Contents(),
              "; keep me\n"
              "[First]\n"
              "A=1\n"
              "\n"
              "[Second]\n"
              "b=two\n"
              "New=added\n"
              "\n"
              "\n"
              "[Third]\n"
              "C=3\n"
              "D=4\n"
              "\n"
              "[Fourth]\n"
              "E=5\n");
}

TEST(IniFileTest, CarriageReturnLineFeedFilesStaySo)
{
    IniFile file = FromText("[S]\r\nA=1\r\n");
    file.SetValue("S", "B", "2");
    file.SetValue("T", "C", "3");
    EXPECT_EQ(file.Contents(), "[S]\r\nA=1\r\nB=2\r\n\r\n[T]\r\nC=3\r\n");
    EXPECT_EQ(file.Value("S", "A"), "1");
}

TEST(IniFileTest, ValuesAreWrittenVerbatimUpToALineBreak)
{
    IniFile file = FromText({});
    file.SetValue("S", "Path", "C:\\odd \"quoted\" ; = value");
    file.SetValue("S", "Injected", "first\n[Evil]\nKey=1");
    EXPECT_EQ(file.Contents(), "[S]\nPath=C:\\odd \"quoted\" ; = value\nInjected=first\n");
    EXPECT_EQ(file.Value("S", "Path"), "C:\\odd \"quoted\" ; = value");
    EXPECT_EQ(file.Value("Evil", "Key"), std::nullopt);
}

TEST(IniFileTest, BytesThatAreNotUtf8SurviveARewrite)
{
    const QByteArray foreign("\xEF\xBB\xBF[S]\nA=1\n[Latin1]\nName=caf\xE9\n");
    IniFile file = FromText(foreign);
    EXPECT_EQ(file.Value("S", "A"), "1");
    file.SetValue("S", "A", "2");
    QByteArray expected = foreign;
    expected.replace("A=1", "A=2");
    EXPECT_EQ(file.Contents(), expected);
}

TEST(IniFileTest, LoadAndSaveGoThroughTheDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("some.ini");

    IniFile missing(path);
    EXPECT_TRUE(missing.Load());
    EXPECT_TRUE(missing.Contents().isEmpty());

    missing.SetValue("S", "K", "v");
    ASSERT_TRUE(missing.Save());
    IniFile again(path);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.Value("S", "K"), "v");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"some.ini"});

    // A folder in the way of the file cannot be read as one.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    IniFile folder(dir.filePath("folder.ini"));
    EXPECT_FALSE(folder.Load());
    EXPECT_FALSE(folder.Save());
}

}  // namespace
