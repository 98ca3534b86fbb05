// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "cli/ConsoleLog.h"
#include "cli/ConsolePrompt.h"
#include "cli/InterruptSignal.h"
#include "convert/BuildInfo.h"
#include "convert/InstallLayout.h"
#include "convert/JobConversion.h"

#include <atomic>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

// The encoder library ships beside the program.
std::string ProgramFolder()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

}  // namespace

int main(int argc, char** argv)
{
    // The window's translations, in the user's language; the system's own
    // reasons ("No space left on device") in it too, where its locale is
    // installed. Only the messages: numbers keep their one form.
    std::setlocale(LC_MESSAGES, "");
    CliText::LoadFrom(InstallLayout::FindData(ProgramFolder(), "translations"));
    std::string error;
    const auto options = CliOptions::Parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "vorlanta-cli: %s\n\n%s", error.c_str(), CliOptions::Usage().c_str());
        return CliRunner::kExitUsage;
    }
    if (options->help) {
        std::fputs(CliOptions::Usage().c_str(), stdout);
        return 0;
    }
    if (options->version) {
        const std::string libraries
            = "LAME " + BuildInfo::LameVersion(ProgramFolder()) + ", mpg123 " + BuildInfo::Mpg123Version();
        std::printf("%s\n%s\n", BuildInfo::VersionLine("vorlanta-cli").c_str(), libraries.c_str());
        return 0;
    }
    std::atomic<int> control{JobControl::Idle};
    InterruptSignal signal(control);
    ConsoleLog log(stdout, isatty(STDOUT_FILENO) != 0);
    ConsolePrompt prompt(stderr);
    CliRunner runner(*options, log, prompt, ProgramFolder(), stderr);
    int status = runner.Run(control, InterruptSignal::Flag());
    // A log that could not be written is a failure a script must hear of.
    if (const std::string failure = log.WriteFailure(); !failure.empty()) {
        const std::string line
            = CliText::Format(CliText::translate("CliOptions", "the log could not be written: %1"), {failure});
        std::fprintf(stderr, "vorlanta-cli: %s\n", line.c_str());
        if (status == CliRunner::kExitConverted)
            status = CliRunner::kExitFailed;
    }
    return InterruptSignal::ExitStatus(status);
}
