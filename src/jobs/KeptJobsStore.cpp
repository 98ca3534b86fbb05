// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/KeptJobsStore.h"

#include "convert/OutputRatePlan.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <utility>

namespace {

const QString kFormatKey = QStringLiteral("format");
const QString kFormat = QStringLiteral("vorlanta waiting jobs 1");
const QString kJobsKey = QStringLiteral("jobs");
const QString kSourceKey = QStringLiteral("source");
const QString kResultKey = QStringLiteral("result");
const QString kBitrateKey = QStringLiteral("bitrate");

// Jobs are made with the MPEG-1 rates only; anything else means the file is
// not ours or has been damaged.
constexpr int kMpeg1SampleRate = 44100;

bool ReadJob(const QJsonValue& value, KeptJobsStore::Job& job)
{
    if (!value.isObject())
        return false;
    const QJsonObject object = value.toObject();
    const QJsonValue source = object.value(kSourceKey);
    const QJsonValue result = object.value(kResultKey);
    const QJsonValue bitrate = object.value(kBitrateKey);
    if (!source.isString() || !result.isString() || !bitrate.isDouble())
        return false;
    const double rate = bitrate.toDouble();
    if (rate != static_cast<int>(rate) || !OutputRatePlan::Carries(kMpeg1SampleRate, static_cast<int>(rate)))
        return false;
    job.source = source.toString().toStdString();
    job.result = result.toString().toStdString();
    job.settings = EncodeSettings::Cbr(static_cast<int>(rate));
    return !job.source.empty() && !job.result.empty();
}

}  // namespace

KeptJobsStore::KeptJobsStore() : KeptJobsStore(DefaultFolder())
{
}

KeptJobsStore::KeptJobsStore(QString folder) : m_folder(std::move(folder))
{
}

QString KeptJobsStore::DefaultFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/vorlanta");
}

QString KeptJobsStore::FilePath() const
{
    return QDir(m_folder).filePath(kFileName);
}

QByteArray KeptJobsStore::Encode(const QList<Job>& jobs)
{
    QJsonArray list;
    for (const Job& job : jobs)
        list.append(QJsonObject{{kSourceKey, QString::fromStdString(job.source)},
                                {kResultKey, QString::fromStdString(job.result)},
                                {kBitrateKey, job.settings.bitrate}});
    return QJsonDocument(QJsonObject{{kFormatKey, kFormat}, {kJobsKey, list}}).toJson(QJsonDocument::Compact);
}

QList<KeptJobsStore::Job> KeptJobsStore::Decode(const QByteArray& bytes, bool* ok)
{
    *ok = false;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {};
    const QJsonObject root = document.object();
    if (root.value(kFormatKey).toString() != kFormat || !root.value(kJobsKey).isArray())
        return {};
    const QJsonArray list = root.value(kJobsKey).toArray();
    QList<Job> jobs;
    jobs.reserve(list.size());
    for (const QJsonValue& value : list) {
        Job job;
        if (!ReadJob(value, job))
            return {};
        jobs.append(std::move(job));
    }
    *ok = true;
    return jobs;
}

bool KeptJobsStore::Save(const QList<Job>& jobs) const
{
    if (jobs.isEmpty()) {
        Clear();
        return !QFileInfo::exists(FilePath());
    }
    if (!QDir().mkpath(m_folder))
        return false;
    QSaveFile file(FilePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(Encode(jobs));
    return file.commit();
}

KeptJobsStore::Loaded KeptJobsStore::Load() const
{
    Loaded loaded;
    QFile file(FilePath());
    if (!file.exists())
        return loaded;
    bool ok = false;
    if (file.open(QIODevice::ReadOnly))
        loaded.jobs = Decode(file.readAll(), &ok);
    file.close();
    if (ok) {
        loaded.state = Loaded::State::Read;
        return loaded;
    }
    loaded.state = Loaded::State::Damaged;
    loaded.keptAside = KeepAside();
    return loaded;
}

void KeptJobsStore::Clear() const
{
    QFile::remove(FilePath());
}

// Moves the file to "waiting-jobs.json.damaged-<time>", next to where it was,
// so the next save cannot overwrite what the user may still want.
QString KeptJobsStore::KeepAside() const
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString aside = FilePath() + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = FilePath() + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    return QFile::rename(FilePath(), aside) ? aside : QString();
}
