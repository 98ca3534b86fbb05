// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliText.h"

#include <gtest/gtest.h>

#include <filesystem>

// The catalogue the build compiled from translations/vorlanta_de.ts (tests
// run in the programs' folder); a build without the window has none.
TEST(CliText, ReadsTheWindowsCompiledCatalogue)
{
    const std::string path = "translations/vorlanta_de.qm";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "no " << path << " in this build";
    const auto catalog = CliText::Catalog::Read(path);
    ASSERT_TRUE(catalog);
    EXPECT_EQ(catalog->Find("CliOptions", "Usage:"), "Aufruf:");
    EXPECT_EQ(catalog->Find("CliOptions", "%1 needs a value"), "%1 braucht einen Wert");
    // Umlauts come out as UTF-8.
    EXPECT_EQ(catalog->Find("JobColumns", "Dest File"), "Zieldatei");
    EXPECT_EQ(catalog->Find("CMainFrame", "&Add\tF2"), "&Hinzuf\xc3\xbcgen\tF2");
    EXPECT_FALSE(catalog->Find("CliOptions", "no such text"));
    EXPECT_FALSE(CliText::Catalog::Read("/dev/null"));
}

TEST(CliText, FormatReplacesEachPlaceholderOnce)
{
    EXPECT_EQ(CliText::Format("%1 and %2, %1", {"a%2", "b"}), "a%2 and b, a%2");
    EXPECT_EQ(CliText::Format("100% of %1", {"x"}), "100% of x");
}
