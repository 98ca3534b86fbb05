// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/Mp3FolderWalk.h"

#include "convert/SourceFormats.h"

#include "convert/ActivityLog.h"
#include "convert/SystemReason.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

using FolderId = std::pair<dev_t, ino_t>;

class Walk {
public:
    Walk(ActivityLog& log, std::vector<Mp3FolderWalk::Found>& found, const Mp3FolderWalk::Progress& progress)
        : m_log(log), m_found(found), m_progress(progress)
    {
    }

    // Reads the folder open at `fd` (taken over) whose path is `path` and
    // whose place below the walk's root is `relative`.
    bool Folder(int fd, const std::string& path, const std::string& relative)
    {
        DirHandle dir(::fdopendir(fd));
        if (!dir) {
            ::close(fd);
            return Unreadable(path, errno);
        }
        struct Entry {
            std::string name;
            bool folder;
            std::uint64_t size;
        };
        std::vector<Entry> entries;
        for (;;) {
            errno = 0;
            const dirent* item = ::readdir(dir.get());
            if (item == nullptr) {
                if (errno != 0)
                    return Unreadable(path, errno);
                break;
            }
            const std::string name = item->d_name;
            if (name == "." || name == "..")
                continue;
            // The entry's type from the folder itself where the file system
            // gives it; a link or an unknown type needs a look at its target.
            const bool maybeFolder = item->d_type == DT_DIR || item->d_type == DT_LNK || item->d_type == DT_UNKNOWN;
            const bool mp3 = SourceFormat::IsSourceName(name);
            if (!maybeFolder && !(mp3 && item->d_type == DT_REG))
                continue;
            struct stat info { };
            if (::fstatat(::dirfd(dir.get()), item->d_name, &info, 0) != 0)
                continue;  // a dangling link or a file gone meanwhile
            if (S_ISDIR(info.st_mode))
                entries.push_back({name, true, 0});
            else if (mp3 && S_ISREG(info.st_mode))
                entries.push_back({name, false, static_cast<std::uint64_t>(info.st_size)});
        }
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
        if (m_progress && !m_progress(m_found.size())) {
            m_stopped = true;
            return true;
        }
        for (const Entry& entry : entries) {
            if (m_stopped)
                break;
            const std::string childPath = Join(path, entry.name);
            const std::string childRelative = relative.empty() ? entry.name : relative + "/" + entry.name;
            if (!entry.folder) {
                m_found.push_back({childPath, childRelative, entry.size});
                continue;
            }
            const int childFd = ::openat(::dirfd(dir.get()), entry.name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (childFd < 0) {
                Unreadable(childPath, errno);
                continue;
            }
            if (!FirstVisit(childFd, childPath))
                continue;
            Folder(childFd, childPath, childRelative);
        }
        return true;
    }

    // Records the folder open at `fd`; false (and logged, fd closed) when the
    // walk has been there already.
    bool FirstVisit(int fd, const std::string& path)
    {
        struct stat info { };
        if (::fstat(fd, &info) != 0) {
            const int error = errno;
            ::close(fd);
            return Unreadable(path, error);
        }
        if (!m_visited.insert({info.st_dev, info.st_ino}).second) {
            ::close(fd);
            m_log.showmessage(m_log.Language().Line(
                ENGINE_TEXT("Mp3FolderWalk",
                            "Folder %1 skipped: a symbolic link leads back to a folder searched already"),
                {path}));
            return false;
        }
        return true;
    }

    bool Unreadable(const std::string& path, int error)
    {
        m_unreadable.push_back(path);
        m_log.showmessage(
            m_log.Language().Line(ENGINE_TEXT("Mp3FolderWalk", "Folder %1 skipped: it cannot be read (%2)"),
                                  {path, SystemReason::OfError(error)}));
        return false;
    }

private:
    static std::string Join(const std::string& folder, const std::string& name)
    {
        return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
    }

    ActivityLog& m_log;
    std::vector<Mp3FolderWalk::Found>& m_found;
    const Mp3FolderWalk::Progress& m_progress;
    std::set<FolderId> m_visited;
    bool m_stopped = false;

public:
    std::vector<std::string> m_unreadable;
};

}  // namespace

bool Mp3FolderWalk::IsMp3Name(const std::string& name)
{
    if (name.size() < 4)
        return false;
    const std::string tail = name.substr(name.size() - 4);
    return tail[0] == '.' && (tail[1] | 0x20) == 'm' && (tail[2] | 0x20) == 'p' && tail[3] == '3';
}

bool Mp3FolderWalk::Find(const std::string& folder, ActivityLog& log, std::vector<Found>& found,
                         const Progress& progress, std::vector<std::string>* unreadable)
{
    Walk walk(log, found, progress);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return walk.Unreadable(folder, errno);
    if (!walk.FirstVisit(fd, folder) || !walk.Folder(fd, folder, ""))
        return false;
    if (unreadable != nullptr)
        *unreadable = std::move(walk.m_unreadable);
    return true;
}
