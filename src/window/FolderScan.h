// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/Mp3FolderWalk.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

class ActivityLog;
class QWidget;

// Reads the MP3 files below a folder on a thread of its own, so the window
// keeps painting; after a moment a progress dialog says how many files were
// found so far and offers Cancel.
class FolderScan {
public:
    static QString kCaption() { return QCoreApplication::translate("FolderScan", "Add Folder"); }
    static QString kProgressText()
    {
        return QCoreApplication::translate("FolderScan", "Reading %1\n%2 MP3 files found");
    }
    // How long a walk may take before the progress dialog shows.
    static constexpr int kShowAfterMs = 300;

    struct Result {
        bool readable = false;   // the folder itself could be read
        bool cancelled = false;  // the user pressed Cancel; `found` is then empty
        std::vector<Mp3FolderWalk::Found> found;
    };

    // `log` hears the walk's lines (folders skipped and why) from the walk's
    // thread, so it must take lines from any thread.
    static Result Run(QWidget* parent, const QString& folder, ActivityLog& log);
};
