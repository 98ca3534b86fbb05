// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/KeptJobsStore.h"
#include "jobs/ReplaceRule.h"

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class BatchReport;
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

    // A kept job that is not offered back, with why.
    static QString kRefusedLine()
    {
        return QCoreApplication::translate("KeptJobs", "%1: %2; not resumed") + QStringLiteral("\r\n");
    }
    static QString kNotMp3Reason()
    {
        return QCoreApplication::translate("KeptJobs", "the result %1 is not named .mp3");
    }
    static QString kNotRegularReason()
    {
        return QCoreApplication::translate("KeptJobs", "the result %1 exists and is not a regular file");
    }
    static QString kTooLongReason()
    {
        return QCoreApplication::translate("KeptJobs", "the path %1 is longer than %2 bytes");
    }

    struct Prompts {
        // The resume question, with the jobs it would resume (and those it
        // would not) as its details.
        std::function<bool(const QString& question, const QString& details)> askYesNo;
        std::function<void(const QString& text)> show;
        // Whether a kept job's result that exists now may be replaced;
        // `offerAll` while more such results follow. Without it, the result
        // is kept and its job not added.
        std::function<ReplaceRule::Answer(const QString& question, bool offerAll)> askReplace = {};
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
    // user agrees; the number added. The file is checked as an added job
    // is: a job whose paths are too long, whose result is not an ".mp3"
    // name or not a regular file, or would replace its source, is named in
    // the log and not offered; a result that exists now is replaced only
    // when the user says so.
    int OfferBack(const Prompts& prompts);
    // Why a kept job cannot be added; empty when it can.
    static QString Refusal(const KeptJobsStore::Job& job);
    // Told of the jobs offered back as of an add operation. Not owned; may be null.
    void SetBatchReport(BatchReport* report) { m_report = report; }

    // The table's jobs that have neither ended nor failed, in table order.
    QList<KeptJobsStore::Job> Unfinished() const;
    void SaveNow();
    const KeptJobsStore& Store() const { return m_store; }

private:
    void ScheduleSave();
    void Log(const QString& line);
    // Whether the job's result, existing now, may be replaced.
    bool MayReplace(const QString& result, bool offerAll, ReplaceRule& rule, const Prompts& prompts);

    CMyListView& m_table;
    KeptJobsStore m_store;
    QTimer* m_saveTimer = nullptr;
    QList<KeptJobsStore::Job> m_saved;
    bool m_enabled = false;
    bool m_frozen = false;
    BatchReport* m_report = nullptr;
};
