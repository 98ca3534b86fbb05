// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/FolderScan.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {

constexpr int kPollMs = 50;

}  // namespace

FolderScan::Result FolderScan::Run(QWidget* parent, const QString& folder, ActivityLog& log)
{
    Result result;
    std::atomic<std::size_t> found{0};
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    const std::string root = folder.toStdString();
    std::thread walker([&] {
        result.readable = Mp3FolderWalk::Find(root, log, result.found, [&](std::size_t count) {
            found = count;
            return !cancel.load();
        });
        done = true;
    });

    QProgressDialog progress(kProgressText().arg(folder).arg(0), QCoreApplication::translate("FolderScan", "Cancel"), 0,
                             0, parent);
    progress.setWindowTitle(kCaption());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kShowAfterMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done.load()) {
            loop.quit();
            return;
        }
        if (progress.wasCanceled())
            cancel = true;
        progress.setLabelText(kProgressText().arg(folder).arg(found.load()));
        // setValue lets the dialog show itself once kShowAfterMs have passed.
        progress.setValue(0);
    });
    poll.start(kPollMs);
    if (!done.load())
        loop.exec();
    poll.stop();
    walker.join();
    progress.close();
    if (cancel.load()) {
        result.cancelled = true;
        result.found.clear();
    }
    return result;
}
