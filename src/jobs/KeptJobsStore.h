// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobSpec.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The jobs still waiting when the program ends, kept for the next start when
// the user asked for it. They live in one file in the user's data folder
// ($XDG_DATA_HOME/vorlanta/), never beside config.ini, so the settings file
// keeps its three keys.
//
// The file is replaced atomically on every save, so a crash in the middle of
// a save leaves the previous list. A file that cannot be read back is moved
// aside (never deleted: the user may want to look at it) and the start goes
// on with an empty table.
class KeptJobsStore {
public:
    static inline const QString kFileName = QStringLiteral("waiting-jobs.json");

    using Job = JobSpec;

    struct Loaded {
        enum class State { NoFile, Read, Damaged };
        State state = State::NoFile;
        QList<Job> jobs;
        // Where a damaged file was put; empty when it could not be moved.
        QString keptAside;
    };

    // The store in `folder`; DefaultFolder() unless given.
    KeptJobsStore();
    explicit KeptJobsStore(QString folder);

    // $XDG_DATA_HOME/vorlanta, or ~/.local/share/vorlanta when that is not
    // set or not absolute.
    static QString DefaultFolder();

    QString FilePath() const;

    // Writes `jobs`, replacing the file; an empty list removes it. False
    // when the file could not be written (the old one then stays).
    bool Save(const QList<Job>& jobs) const;
    // Reads the file. A damaged file is moved aside first.
    Loaded Load() const;
    // Removes the file (the user declined to resume, or the setting is off).
    void Clear() const;

    // The file's contents for `jobs`, and the jobs read back from such
    // contents; `ok` says whether they could be read whole.
    static QByteArray Encode(const QList<Job>& jobs);
    static QList<Job> Decode(const QByteArray& bytes, bool* ok);

private:
    QString KeepAside() const;

    QString m_folder;
};
