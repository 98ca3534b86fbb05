// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CommandStrings.h"

#include "base/CommandIds.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, const char*>, 18> kStrings{{
    {IdToolAddJob, "Add Job\nAdd New Job"},
    {IdToolDeleteJob, "Delete Job\nDelete"},
    {IdToolJobProperty, "Job Property\nProperty"},
    {IdMenuCustomize, "ToolBar Customize\n ToolBar Customize"},
    {IdJobDelete, "Delete Job\nDelete Job"},
    {IdSettings, "System Settings\n System Settings"},
    {IdToolSettings, "System Settings\nSettings"},
    {IdJobAdd, "Add New Job\nAdd New Job"},
    {IdJobAddFolder, "Add every MP3 file of a folder and its sub-folders\nAdd Folder"},
    {IdAbout, "About\nAbout"},
    {IdJobProperty, "Job Property\nJob Property"},
    {IdHelpTopics, "Help Topics\nHelp Topics"},
    {IdToolCustomize, "ToolBar Customize\n ToolBar Customize"},
    {IdToolHelpTopics, "Help Topics\nHelp Topics"},
    {IdToolAbout, "About\nAbout"},
    {IdToolExit, "Exit\nExit"},
    {IdAppExit, "Exit\nExit"},
    {IdIdleMessage, "Ready"},
}};

}  // namespace

QString CommandStrings::Text(int id)
{
    for (const auto& [key, text] : kStrings) {
        if (key == id)
            return QString::fromLatin1(text);
    }
    return {};
}

QString CommandStrings::Prompt(int id)
{
    const QString text = Text(id);
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    return newline < 0 ? text : text.left(newline);
}

QString CommandStrings::ToolTip(int id)
{
    const QString text = Text(id);
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    return newline < 0 ? QString() : text.mid(newline + 1);
}

QString CommandStrings::IdleMessage()
{
    return Text(IdIdleMessage);
}
