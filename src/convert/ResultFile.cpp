// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/ResultFile.h"

#include "convert/SystemReason.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ".<result name>.<six random characters>.vorlanta-part": hidden, and never
// taken for an MP3 file.
constexpr const char* kTempSuffix = ".vorlanta-part";
constexpr std::size_t kRandomLength = 6;
constexpr std::size_t kSuffixLength = 14;  // strlen(kTempSuffix)
// The result's name is cut where the whole temporary name would be too long.
constexpr std::size_t kNameRoom = NAME_MAX - 2 - kRandomLength - kSuffixLength;
constexpr int kCreateTries = 100;
constexpr char kRandomAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
static_assert(std::char_traits<char>::length(kTempSuffix) == kSuffixLength);

std::string TempPrefix(const std::string& resultName)
{
    // Appended piece by piece: "." + std::string trips GCC 12's -Wrestrict at -O3.
    std::string prefix(1, '.');
    prefix.append(resultName, 0, kNameRoom);
    prefix += '.';
    return prefix;
}

std::string RandomPart()
{
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kRandomAlphabet - 2);
    std::string part(kRandomLength, ' ');
    for (char& c : part)
        c = kRandomAlphabet[pick(generator)];
    return part;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Splits a path into its folder ("." when it has none) and its name.
void SplitPath(const std::string& path, std::string& folder, std::string& name)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        folder = ".";
        name = path;
        return;
    }
    folder = slash == 0 ? "/" : path.substr(0, slash);
    name = path.substr(slash + 1);
}

}  // namespace

ResultFile::~ResultFile()
{
    Discard();
}

bool ResultFile::IsTemporaryName(const std::string& name, const std::string& resultName)
{
    const std::string prefix = TempPrefix(resultName);
    if (name.size() != prefix.size() + kRandomLength + kSuffixLength || name.compare(0, prefix.size(), prefix) != 0
        || name.compare(name.size() - kSuffixLength, kSuffixLength, kTempSuffix) != 0)
        return false;
    const std::string random = name.substr(prefix.size(), kRandomLength);
    return random.find_first_not_of(kRandomAlphabet) == std::string::npos;
}

bool ResultFile::Fail(int error)
{
    return Fail(SystemReason::OfError(error));
}

bool ResultFile::Fail(const std::string& reason)
{
    m_failed = true;
    m_reason = reason;
    return false;
}

bool ResultFile::Create(const std::string& path)
{
    Discard();
    m_failed = false;
    m_inPlace = false;
    m_reason.clear();
    m_ownerNote.clear();
    m_replaces = false;
    m_keeps = false;
    std::string folder;
    SplitPath(path, folder, m_name);
    // Only a regular file or a link is ever replaced. A FIFO or a device is
    // not even opened: that could block, or write to the device.
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return Fail(SystemReason::OfNonRegular(info.st_mode));
        m_replaces = true;
        m_keeps = true;
        m_mode = info.st_mode & 0777;
        m_owner = info.st_uid;
        m_group = info.st_gid;
    } else if (errno != ENOENT) {
        return Fail(errno);
    } else if (::lstat(path.c_str(), &info) == 0) {
        m_replaces = true;  // a link to a missing file: the name is taken all the same
    } else if (errno != ENOENT) {
        return Fail(errno);
    }
    if (m_name.empty() || m_name == "." || m_name == "..")
        return Fail(EISDIR);
    m_folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folderFd < 0)
        return Fail(errno);
    RemoveLeftovers();
    return OpenTemporary();
}

// A replacement belongs to whoever owned the file it replaces, where this
// process may give it away (root, or a group it is in); the log says what
// could not be kept, so nobody is surprised by a file they cannot read.
void ResultFile::KeepOwner(int fd)
{
    struct stat made { };
    if (::fstat(fd, &made) != 0 || (made.st_uid == m_owner && made.st_gid == m_group))
        return;
    if (::fchown(fd, m_owner, m_group) == 0)
        return;
    const bool groupKept = made.st_gid == m_group || ::fchown(fd, static_cast<uid_t>(-1), m_group) == 0;
    const std::string reason = SystemReason::OfError(errno);
    const std::string user = std::to_string(m_owner);
    const std::string group = std::to_string(m_group);
    if (made.st_uid != m_owner && groupKept)
        m_ownerNote
            = m_language.Text(ENGINE_TEXT("ResultFile", "its owner (user %1) could not be kept: %2"), {user, reason});
    else if (made.st_uid != m_owner)
        m_ownerNote = m_language.Text(ENGINE_TEXT("ResultFile", "its owner (user %1, group %2) could not be kept: %3"),
                                      {user, group, reason});
    else if (!groupKept)
        m_ownerNote
            = m_language.Text(ENGINE_TEXT("ResultFile", "its group (%1) could not be kept: %2"), {group, reason});
}

// A new temporary file, created here and locked before anyone could take it
// for a leftover. One that a cleaner got hold of first is given up.
bool ResultFile::OpenTemporary()
{
    for (int attempt = 0; attempt < kCreateTries; ++attempt) {
        const std::string name = TempPrefix(m_name) + RandomPart() + kTempSuffix;
        const int fd = ::openat(m_folderFd, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            const int error = errno;
            CloseFolder();
            return Fail(error);
        }
        // A file system without locks cannot tell leftovers apart: there the
        // file is used unlocked, and no leftover is ever removed.
        const bool taken = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        struct stat info { };
        if (taken || ::fstat(fd, &info) != 0 || info.st_nlink == 0) {
            ::close(fd);
            continue;
        }
        // A replacement keeps the owner, group and permissions of the file it
        // replaces; the mode last, as a change of owner may clear bits of it.
        if (m_keeps) {
            KeepOwner(fd);
            ::fchmod(fd, m_mode);
        }
        m_fd = fd;
        m_tempName = name;
        m_end = 0;
        return true;
    }
    CloseFolder();
    return Fail(EEXIST);
}

// Temporary files for this result that nobody holds: their job ended
// without cleaning up (a crash, kill -9, a power cut).
void ResultFile::RemoveLeftovers() const
{
    const int listFd = ::dup(m_folderFd);
    if (listFd < 0)
        return;
    DIR* folder = ::fdopendir(listFd);
    if (folder == nullptr) {
        ::close(listFd);
        return;
    }
    while (const dirent* entry = ::readdir(folder)) {
        if (IsTemporaryName(entry->d_name, m_name))
            RemoveIfLeftover(entry->d_name);
    }
    ::closedir(folder);
}

void ResultFile::RemoveIfLeftover(const std::string& name) const
{
    const int fd = ::openat(m_folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat held { };
    struct stat named { };
    // The lock is free only when no running job holds the file.
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
        && ::fstatat(m_folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named))
        ::unlinkat(m_folderFd, name.c_str(), 0);
    ::close(fd);
}

bool ResultFile::Append(const void* data, std::size_t length)
{
    if (!WriteAt(m_end, data, length))
        return false;
    m_end += length;
    return true;
}

bool ResultFile::WriteAt(std::uint64_t offset, const void* data, std::size_t length)
{
    if (m_fd < 0 || m_failed)
        return false;
    const auto* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t written = ::pwrite(m_fd, bytes + done, length - done, static_cast<off_t>(offset + done));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool ResultFile::Commit(const std::function<bool()>& proceed)
{
    if (m_fd < 0 || m_failed)
        return false;
    // On disk before it takes the name: a power cut never leaves a named
    // result with missing bytes.
    if (::fsync(m_fd) != 0) {
        Fail(errno);
        Discard();
        return false;
    }
    // The last moment a stop can still leave everything as it was.
    if (proceed && !proceed()) {
        Discard();
        return false;
    }
    if (!Rename()) {
        Discard();
        return false;
    }
    m_tempName.clear();
    const bool synced = SyncFolder();
    ::close(m_fd);  // releases the lock only now, so no cleaner took the file
    m_fd = -1;
    CloseFolder();
    return synced;
}

// The rename itself reaches the disk with the folder. Some file systems
// cannot sync a folder at all, which is no fault; any other failure means
// the new name may not survive a crash.
bool ResultFile::SyncFolder()
{
    if (::fsync(m_folderFd) == 0 || errno == EINVAL || errno == EROFS || errno == ENOTSUP)
        return true;
    m_inPlace = true;
    return Fail(m_language.Text(
        ENGINE_TEXT("ResultFile", "%1 when its folder was synced; the file is in place, but a crash may still lose it"),
        {SystemReason::OfError(errno)}));
}

bool ResultFile::Rename()
{
    struct stat info { };
    if (::fstatat(m_folderFd, m_name.c_str(), &info, 0) == 0 && !S_ISREG(info.st_mode))
        return Fail(SystemReason::OfNonRegular(info.st_mode));
    if (m_replaces)
        return ::renameat(m_folderFd, m_tempName.c_str(), m_folderFd, m_name.c_str()) == 0 || Fail(errno);
    // The name was free at the start: a file that took it since is not ours
    // to replace.
    if (::renameat2(m_folderFd, m_tempName.c_str(), m_folderFd, m_name.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return Fail(errno);
    // A file system that cannot promise that: the check above must do.
    return ::renameat(m_folderFd, m_tempName.c_str(), m_folderFd, m_name.c_str()) == 0 || Fail(errno);
}

void ResultFile::Discard()
{
    if (m_fd >= 0) {
        // Only the file we created, still under its name, is removed.
        struct stat held { };
        struct stat named { };
        if (!m_tempName.empty() && ::fstat(m_fd, &held) == 0
            && ::fstatat(m_folderFd, m_tempName.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named))
            ::unlinkat(m_folderFd, m_tempName.c_str(), 0);
        ::close(m_fd);
        m_fd = -1;
    }
    m_tempName.clear();
    CloseFolder();
}

void ResultFile::CloseFolder()
{
    if (m_folderFd >= 0)
        ::close(m_folderFd);
    m_folderFd = -1;
}
