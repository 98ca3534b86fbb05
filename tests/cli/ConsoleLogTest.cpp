#include "cli/ConsoleLog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Written(bool terminal, const std::vector<std::string>& texts)
{
    std::FILE* stream = std::tmpfile();
    {
        ConsoleLog log(stream, terminal);
        for (const auto& text : texts)
            log.showmessage(text);
        log.Finish();
    }
    std::rewind(stream);
    std::string out;
    char buffer[1024];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        out.append(buffer, got);
    std::fclose(stream);
    return out;
}

}  // namespace

TEST(ConsoleLog, TerminalRewritesProgressInPlace)
{
    const std::string out = Written(true, {"begin\r\n", "417 BYTEs Read\r", "done\r\n"});
    EXPECT_NE(out.find("417 BYTEs Read"), std::string::npos);
    // The progress line is wiped before the line that replaces it.
    EXPECT_LT(out.find("417 BYTEs Read"), out.rfind("\r\033[K"));
    EXPECT_LT(out.rfind("\r\033[K"), out.find("done\n"));
}

TEST(ConsoleLog, PipeGetsOnlyLinesThatStay)
{
    const std::string out = Written(false, {"begin\r\n", "417 BYTEs Read\r", "Error!Source File small than one Frame!\n"});
    EXPECT_EQ(out.find("BYTEs"), std::string::npos);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2);
    EXPECT_NE(out.find("    begin\n"), std::string::npos);
}
