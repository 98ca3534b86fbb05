// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/KeptJobsStore.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class CMyListView;
class QTimer;

// Keeps the table's unfinished jobs (waiting, and running ones, which start
// again from the beginning) in the kept-jobs file while the user wants them
// kept, saved shortly after every change so that a crash loses none; and
// offers them back at the next start.
class KeptJobs : public QObject {
    Q_OBJECT

public:
    static QString kResumeQuestion() { return QCoreApplication::translate("KeptJobs", "Resume %1 waiting jobs?"); }
    static QString kDamagedMessage()
    {
        return QCoreApplication::translate(
            "KeptJobs", "The waiting jobs of the last run could not be read. The file has been kept as\n\n%1");
    }
    static QString kDamagedLine()
    {
        return QCoreApplication::translate(
                   "KeptJobs", "The waiting jobs of the last run could not be read; the file has been kept as %1")
            + QStringLiteral("\r\n");
    }
    // Changes within this time are saved together.
    static constexpr int kSaveDelayMs = 250;

    struct Prompts {
        std::function<bool(const QString& question)> askYesNo;
        std::function<void(const QString& text)> show;
    };

    KeptJobs(CMyListView& table, KeptJobsStore store, QObject* parent = nullptr);

    // On: the jobs are saved now and after every change. Off: nothing is
    // kept, and the file of an earlier run goes.
    void SetEnabled(bool on);
    bool Enabled() const { return m_enabled; }
    // The window closes: the jobs as they stand now are the ones kept, before
    // stopping the running jobs changes their status.
    void Freeze();

    // Start-up: offers the jobs of the last run back and adds them when the
    // user agrees; the number added.
    int OfferBack(const Prompts& prompts);

    // The table's jobs that have neither ended nor failed, in table order.
    QList<KeptJobsStore::Job> Unfinished() const;
    void SaveNow();
    const KeptJobsStore& Store() const { return m_store; }

private:
    void ScheduleSave();

    CMyListView& m_table;
    KeptJobsStore m_store;
    QTimer* m_saveTimer = nullptr;
    QList<KeptJobsStore::Job> m_saved;
    bool m_enabled = false;
    bool m_frozen = false;
};
