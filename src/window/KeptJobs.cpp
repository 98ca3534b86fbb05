// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/KeptJobs.h"

#include "convert/JobPlanner.h"
#include "convert/JobVocabulary.h"
#include "dialogs/CJobAddDialog.h"
#include "jobs/CMyListView.h"
#include "jobs/LogViewActivityLog.h"
#include "jobs/ResultNames.h"
#include "window/BatchReport.h"
#include "window/JobCommands.h"

#include <QFileInfo>
#include <QStringList>
#include <QTimer>

#include <utility>

KeptJobs::KeptJobs(CMyListView& table, KeptJobsStore store, QObject* parent)
    : QObject(parent), m_table(table), m_store(std::move(store)), m_saveTimer(new QTimer(this))
{
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(kSaveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &KeptJobs::SaveNow);
    QAbstractItemModel& model = m_table.Model();
    connect(&model, &QAbstractItemModel::rowsInserted, this, &KeptJobs::ScheduleSave);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, &KeptJobs::ScheduleSave);
    connect(&model, &QAbstractItemModel::dataChanged, this, &KeptJobs::ScheduleSave);
}

void KeptJobs::SetEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    m_saved.clear();
    if (on) {
        SaveNow();
    } else {
        m_saveTimer->stop();
        m_store.Clear();
    }
}

void KeptJobs::Freeze()
{
    if (m_enabled && !m_frozen)
        SaveNow();
    m_frozen = true;
    m_saveTimer->stop();
}

void KeptJobs::ScheduleSave()
{
    // A timer already running is not restarted: a stream of progress
    // updates must not hold a save off for ever.
    if (m_enabled && !m_frozen && !m_saveTimer->isActive())
        m_saveTimer->start();
}

QList<KeptJobsStore::Job> KeptJobs::Unfinished() const
{
    QList<KeptJobsStore::Job> jobs;
    const int count = m_table.JobCount();
    jobs.reserve(count);
    for (int row = 0; row < count; ++row) {
        const JobStatus status = m_table.Status(row);
        if (status.IsError() || status.Number() == JobStatus::kEndedNumber)
            continue;
        jobs.append(m_table.JobAt(row));
    }
    return jobs;
}

void KeptJobs::SaveNow()
{
    if (!m_enabled || m_frozen)
        return;
    QList<KeptJobsStore::Job> jobs = Unfinished();
    if (jobs == m_saved && !m_saved.isEmpty())
        return;
    if (m_store.Save(jobs))
        m_saved = std::move(jobs);
}

void KeptJobs::Log(const QString& line)
{
    m_table.Threads().Log().showmessage(line.toStdString());
}

QString KeptJobs::Refusal(const KeptJobsStore::Job& job)
{
    const QString source = QString::fromStdString(job.source);
    const QString result = QString::fromStdString(job.result);
    for (const QString& path : {source, result}) {
        if (!ResultNames::FitsJob(path))
            return kTooLongReason().arg(path).arg(ResultNames::kMaxPathLength);
    }
    if (!ResultNames::HasMp3Extension(result))
        return kNotMp3Reason().arg(result);
    if (const std::optional<std::string> refusal = JobPlanner::Refusal(job, LogViewActivityLog::QtTranslation()))
        return QString::fromStdString(*refusal);
    const QFileInfo existing(result);
    if ((existing.exists() && !existing.isFile()) || (existing.isSymLink() && !existing.exists()))
        return kNotRegularReason().arg(result);
    return QString();
}

bool KeptJobs::MayReplace(const QString& result, bool offerAll, ReplaceRule& rule, const Prompts& prompts)
{
    if (!rule.Asks())
        return rule.ReplacesAll();
    if (!prompts.askReplace)
        return false;
    return rule.Take(prompts.askReplace(CJobAddDialog::kOverwriteQuestion().arg(result), offerAll));
}

int KeptJobs::OfferBack(const Prompts& prompts)
{
    const KeptJobsStore::Loaded loaded = m_store.Load();
    if (loaded.state == KeptJobsStore::Loaded::State::Damaged) {
        const QString aside = loaded.keptAside.isEmpty() ? m_store.FilePath() : loaded.keptAside;
        Log(kDamagedLine().arg(aside));
        if (prompts.show)
            prompts.show(kDamagedMessage().arg(aside));
        return 0;
    }
    QList<KeptJobsStore::Job> offered;
    QStringList details;
    QStringList refused;
    for (const KeptJobsStore::Job& job : loaded.jobs) {
        const QString source = QString::fromStdString(job.source);
        const QString reason = Refusal(job);
        if (!reason.isEmpty()) {
            Log(kRefusedLine().arg(source, reason));
            refused.append(QCoreApplication::translate("KeptJobs", "Not resumed: %1 (%2)").arg(source, reason));
            continue;
        }
        offered.append(job);
        details.append(QStringLiteral("%1 \u2192 %2").arg(source, QString::fromStdString(job.result)));
    }
    if (offered.isEmpty()) {
        if (!loaded.jobs.isEmpty())
            m_store.Clear();
        return 0;
    }
    const QString question = kResumeQuestion().arg(offered.size());
    if (!prompts.askYesNo || !prompts.askYesNo(question, (details + refused).join(QLatin1Char('\n')))) {
        m_store.Clear();
        return 0;
    }
    // The results are looked at now, not when they were kept: one made
    // since then is replaced only when the user says so.
    const BatchReport::AddOperation operation(m_report, [this] { m_table.Threads().WakeScheduler(); });
    ReplaceRule rule;
    int added = 0;
    for (qsizetype i = 0; i < offered.size(); ++i) {
        const QString result = QString::fromStdString(offered[i].result);
        if (QFileInfo::exists(result) && !MayReplace(result, i + 1 < offered.size(), rule, prompts)) {
            Log(JobCommands::kKeptLine().arg(result) + QStringLiteral("\r\n"));
            if (m_report)
                m_report->Skipped();
            continue;
        }
        // One whose result another kept job writes (or reads) is refused
        // as when it was added (the table says why).
        if (m_table.AddJob(offered[i]) < 0) {
            if (m_report)
                m_report->Failed(QString::fromStdString(offered[i].source),
                                 QString::fromStdString(m_table.Clash(offered[i]).value_or(std::string())));
            continue;
        }
        ++added;
    }
    return added;
}
