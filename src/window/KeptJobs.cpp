// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/KeptJobs.h"

#include "convert/JobVocabulary.h"
#include "jobs/CMyListView.h"

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

int KeptJobs::OfferBack(const Prompts& prompts)
{
    const KeptJobsStore::Loaded loaded = m_store.Load();
    if (loaded.state == KeptJobsStore::Loaded::State::Damaged) {
        const QString aside = loaded.keptAside.isEmpty() ? m_store.FilePath() : loaded.keptAside;
        m_table.Threads().Log().showmessage(kDamagedLine().arg(aside).toStdString());
        if (prompts.show)
            prompts.show(kDamagedMessage().arg(aside));
        return 0;
    }
    if (loaded.jobs.isEmpty())
        return 0;
    if (!prompts.askYesNo || !prompts.askYesNo(kResumeQuestion().arg(loaded.jobs.size()))) {
        m_store.Clear();
        return 0;
    }
    for (const KeptJobsStore::Job& job : loaded.jobs)
        m_table.AddJob(job);
    return static_cast<int>(loaded.jobs.size());
}
