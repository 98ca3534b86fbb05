// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ResultNames.h"

#include "convert/JobPlanner.h"

// The rules are the job planner's; this is the window's spelling of them.
namespace {

std::string ToStd(const QString& text)
{
    return text.toStdString();
}

QString FromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

const QString kMp3 = QStringLiteral(".mp3");

// The default destination folder counts only when longer than two characters.
std::string DestFolder(const QString& destFolder)
{
    return destFolder.size() <= 2 ? std::string() : ToStd(destFolder);
}

}  // namespace

QString ResultNames::Title(const QString& path)
{
    return FromStd(JobPlanner::Title(ToStd(path)));
}

QString ResultNames::WithoutExtension(const QString& path)
{
    return FromStd(JobPlanner::WithoutExtension(ToStd(path)));
}

QString ResultNames::FolderWithSlash(const QString& path)
{
    return FromStd(JobPlanner::FolderWithSlash(ToStd(path)));
}

QString ResultNames::FolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString ResultNames::ForAddCommand(const QString& source, const QString& destFolder, const QString& bitRateText)
{
    return FromStd(
        JobPlanner::ResultName(ToStd(source), DestFolder(destFolder), EncodeSettings::FromText(ToStd(bitRateText))));
}

QString ResultNames::ForDrop(const QString& source)
{
    return FromStd(JobPlanner::ResultName(ToStd(source), {}, EncodeSettings::Cbr(kDropRate)));
}

QString ResultNames::ForSameSettings(const QString& source, const QString& folder, const EncodeSettings& settings)
{
    return FromStd(JobPlanner::ResultName(ToStd(source), ToStd(folder), settings));
}

QString ResultNames::ForAddFolder(const QString& source, const QString& relative, const QString& destFolder,
                                  const QString& bitRateText)
{
    return FromStd(JobPlanner::TreeResultName(ToStd(source), ToStd(relative), DestFolder(destFolder),
                                              EncodeSettings::FromText(ToStd(bitRateText))));
}

QString ResultNames::TreeRoot(const QString& acceptedResult, const QString& relative)
{
    return FromStd(JobPlanner::TreeRoot(ToStd(acceptedResult), ToStd(relative)));
}

QString ResultNames::ForFolderTree(const QString& source, const QString& relative, const QString& root,
                                   const EncodeSettings& settings)
{
    return FromStd(JobPlanner::TreeResultName(ToStd(source), ToStd(relative), ToStd(root), settings));
}

bool ResultNames::HasMp3Extension(const QString& path)
{
    return path.endsWith(kMp3, Qt::CaseInsensitive);
}

QString ResultNames::FollowRate(const QString& result, int oldKbps, int newKbps)
{
    const QString suffix = QStringLiteral("_%1.mp3").arg(FromStd(EncodeSettings::Cbr(oldKbps).Text()));
    if (oldKbps == newKbps || newKbps <= 0 || !result.endsWith(suffix, Qt::CaseInsensitive))
        return result;
    // The extension keeps its letter case.
    return result.left(result.size() - suffix.size()) + QLatin1Char('_') + FromStd(EncodeSettings::Cbr(newKbps).Text())
        + result.right(4);
}
