// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ResultNames.h"

#include "convert/SourceFormats.h"

#include <algorithm>

namespace {

constexpr int kExtensionLength = 4;  // ".mp3"
const QString kMp3 = QStringLiteral(".mp3");

QString NameWithRate(const QString& stem, const QString& rate)
{
    return stem + QLatin1Char('_') + rate + kMp3;
}

}  // namespace

QString ResultNames::Title(const QString& path)
{
    return WithoutExtension(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
}

QString ResultNames::WithoutExtension(const QString& path)
{
    // A source in another format loses its whole extension, however long:
    // "song.flac" gives "song" and "song.wv" too.
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot > path.lastIndexOf(QLatin1Char('/')) && SourceFormat::IsSourceName(path.mid(dot).toStdString()))
        return path.left(dot);
    return path.left(std::max<qsizetype>(path.size() - kExtensionLength, 0));
}

QString ResultNames::FolderWithSlash(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
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
    const QString rate = bitRateText.trimmed();
    if (destFolder.size() <= 2)
        return NameWithRate(WithoutExtension(source), rate);
    const QString folder = destFolder.endsWith(QLatin1Char('/')) ? destFolder : destFolder + QLatin1Char('/');
    return NameWithRate(folder + Title(source), rate);
}

QString ResultNames::ForDrop(const QString& source)
{
    return NameWithRate(WithoutExtension(source), QString::number(kDropRate));
}

QString ResultNames::ForSameSettings(const QString& source, const QString& folder, int bitrate)
{
    const QString rate = QString::number(bitrate);
    if (folder.isEmpty())
        return NameWithRate(WithoutExtension(source), rate);
    return NameWithRate(folder + Title(source), rate);
}

QString ResultNames::ForAddFolder(const QString& source, const QString& relative, const QString& destFolder,
                                  const QString& bitRateText)
{
    if (destFolder.size() <= 2)
        return ForAddCommand(source, destFolder, bitRateText);
    const QString folder = destFolder.endsWith(QLatin1Char('/')) ? destFolder : destFolder + QLatin1Char('/');
    return ForAddCommand(source, folder + FolderWithSlash(relative), bitRateText);
}

QString ResultNames::TreeRoot(const QString& acceptedResult, const QString& relative)
{
    const QString folder = FolderWithSlash(acceptedResult);
    const QString below = FolderWithSlash(relative);
    if (below.isEmpty() || !folder.endsWith(QLatin1Char('/') + below))
        return folder;
    return folder.left(folder.size() - below.size());
}

QString ResultNames::ForFolderTree(const QString& source, const QString& relative, const QString& root, int bitrate)
{
    if (root.isEmpty())
        return ForSameSettings(source, root, bitrate);
    return ForSameSettings(source, root + FolderWithSlash(relative), bitrate);
}

bool ResultNames::HasMp3Extension(const QString& path)
{
    return path.endsWith(kMp3, Qt::CaseInsensitive);
}

QString ResultNames::FollowRate(const QString& result, int oldKbps, int newKbps)
{
    const QString suffix = QStringLiteral("_%1.mp3").arg(oldKbps);
    if (oldKbps == newKbps || newKbps <= 0 || !result.endsWith(suffix, Qt::CaseInsensitive))
        return result;
    // The extension keeps its letter case.
    return result.left(result.size() - suffix.size()) + QStringLiteral("_%1").arg(newKbps) + result.right(4);
}
