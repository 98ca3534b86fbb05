// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PathList.h"

#include "cli/CliText.h"

#include "convert/LogText.h"
#include "convert/SystemReason.h"

#include <cerrno>
#include <memory>

namespace PathList {

std::vector<std::string> Read(std::FILE* stream, bool nulSeparated)
{
    const int separator = nulSeparated ? '\0' : '\n';
    std::vector<std::string> paths;
    std::string path;
    for (int c = std::getc(stream); c != EOF; c = std::getc(stream)) {
        if (c != separator) {
            path += static_cast<char>(c);
            continue;
        }
        if (!path.empty())
            paths.push_back(std::move(path));
        path.clear();
    }
    if (!path.empty())
        paths.push_back(std::move(path));
    return paths;
}

std::optional<std::vector<std::string>> ReadNamed(const std::string& name, bool nulSeparated, std::string& error)
{
    if (name == "-") {
        std::vector<std::string> paths = Read(stdin, nulSeparated);
        if (std::ferror(stdin)) {
            const std::string reason = SystemReason::OfError(errno);
            error = CliText::Format(CliText::translate("PathList", "the list on standard input cannot be read: %1"),
                                    {reason});
            return std::nullopt;
        }
        return paths;
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(name.c_str(), "rb"), std::fclose);
    if (!file) {
        const std::string reason = SystemReason::OfError(errno);
        error = CliText::Format(CliText::translate("PathList", "the list %1 cannot be read: %2"),
                                {LogText::Escaped(name), reason});
        return std::nullopt;
    }
    std::vector<std::string> paths = Read(file.get(), nulSeparated);
    if (std::ferror(file.get())) {
        const std::string reason = SystemReason::OfError(errno);
        error = CliText::Format(CliText::translate("PathList", "the list %1 cannot be read: %2"),
                                {LogText::Escaped(name), reason});
        return std::nullopt;
    }
    return paths;
}

}  // namespace PathList
