// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EngineText.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>

// The result of a conversion. Its bytes go to a hidden temporary file of its
// own in the result's folder; only Commit puts them under the result's name,
// by a rename once they are on disk. Until then a file of that name stays
// whole, and a stop, a failure, a crash or a power cut leaves nothing under
// it. The temporary file is locked while it is open, so the leftover of a
// crashed run is told apart from one that another job is still writing; such
// leftovers are removed the next time that result is created.
// Every write is checked; once one has failed the file is bad.
class ResultFile {
public:
    ResultFile() = default;
    // Reasons and notes told in `language`.
    explicit ResultFile(Translator language) : m_language(language) { }
    ~ResultFile();
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;

    // Opens a new temporary file for the result `path`. Refuses a path that
    // names anything but a regular file or a symbolic link (dangling or to a
    // regular file), without opening it. A link is replaced itself.
    bool Create(const std::string& path);
    // Writes all `length` bytes after those written so far.
    bool Append(const void* data, std::size_t length);
    // Writes over bytes written earlier, at `offset` from the start (a header
    // that is only known at the end); later appends go on where they were.
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t length);
    // Flushes the file to disk and renames it onto the result's name. False
    // when this or an earlier write failed; the result's name is then as it
    // was, unless InPlace() says that only the final sync of the folder
    // failed. `proceed`, asked once the file is on disk, may still call the
    // rename off: the temporary file is then removed and nothing else changed.
    bool Commit(const std::function<bool()>& proceed = {});
    // Closes and removes the temporary file, if there is one; nothing else.
    void Discard();

    bool IsOpen() const { return m_fd >= 0; }
    bool Failed() const { return m_failed; }
    // Why the last failure happened, in the system's words; empty when the
    // system gave no reason.
    const std::string& Reason() const { return m_reason; }
    // The file has the result's name although Commit failed (its folder
    // could not be synced afterwards).
    bool InPlace() const { return m_inPlace; }
    // What of the replaced file's owner and group the new file could not
    // keep, in words for the log; empty when it kept both (or replaced nothing).
    const std::string& OwnerNote() const { return m_ownerNote; }

    // Whether `name` is the name of a temporary file for the result named
    // `resultName` (both without their folder).
    static bool IsTemporaryName(const std::string& name, const std::string& resultName);

private:
    bool Fail(int error);
    bool Fail(const std::string& reason);
    bool OpenTemporary();
    void RemoveLeftovers() const;
    void RemoveIfLeftover(const std::string& name) const;
    bool Rename();
    bool SyncFolder();
    void KeepOwner(int fd);
    void CloseFolder();

    std::string m_name;       // the result's name within its folder
    std::string m_tempName;   // our temporary file's name; empty when none
    int m_folderFd = -1;      // the result's folder
    int m_fd = -1;            // the temporary file, locked
    std::uint64_t m_end = 0;  // where the next append goes
    bool m_replaces = false;  // a regular file or a link had the result's name at the start
    bool m_keeps = false;     // the file it names is there: its attributes are kept
    mode_t m_mode = 0;        // its permissions, owner and group, kept by the replacement
    uid_t m_owner = 0;
    gid_t m_group = 0;
    bool m_failed = false;
    bool m_inPlace = false;
    std::string m_reason;
    std::string m_ownerNote;
    Translator m_language;
};
