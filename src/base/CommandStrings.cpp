// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CommandStrings.h"

#include "base/CommandIds.h"

#include <QCoreApplication>

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, const char*>, 18> kStrings{{
    {IdToolAddJob, QT_TRANSLATE_NOOP("CommandStrings", "Add Job\nAdd New Job")},
    {IdToolDeleteJob, QT_TRANSLATE_NOOP("CommandStrings", "Delete Job\nDelete")},
    {IdToolJobProperty, QT_TRANSLATE_NOOP("CommandStrings", "Job Property\nProperty")},
    {IdMenuCustomize, QT_TRANSLATE_NOOP("CommandStrings", "ToolBar Customize\n ToolBar Customize")},
    {IdJobDelete, QT_TRANSLATE_NOOP("CommandStrings", "Delete Job\nDelete Job")},
    {IdSettings, QT_TRANSLATE_NOOP("CommandStrings", "System Settings\n System Settings")},
    {IdToolSettings, QT_TRANSLATE_NOOP("CommandStrings", "System Settings\nSettings")},
    {IdJobAdd, QT_TRANSLATE_NOOP("CommandStrings", "Add New Job\nAdd New Job")},
    {IdJobAddFolder,
     QT_TRANSLATE_NOOP("CommandStrings", "Add every MP3 file of a folder and its sub-folders\nAdd Folder")},
    {IdAbout, QT_TRANSLATE_NOOP("CommandStrings", "About\nAbout")},
    {IdJobProperty, QT_TRANSLATE_NOOP("CommandStrings", "Job Property\nJob Property")},
    {IdHelpTopics, QT_TRANSLATE_NOOP("CommandStrings", "Help Topics\nHelp Topics")},
    {IdToolCustomize, QT_TRANSLATE_NOOP("CommandStrings", "ToolBar Customize\n ToolBar Customize")},
    {IdToolHelpTopics, QT_TRANSLATE_NOOP("CommandStrings", "Help Topics\nHelp Topics")},
    {IdToolAbout, QT_TRANSLATE_NOOP("CommandStrings", "About\nAbout")},
    {IdToolExit, QT_TRANSLATE_NOOP("CommandStrings", "Exit\nExit")},
    {IdAppExit, QT_TRANSLATE_NOOP("CommandStrings", "Exit\nExit")},
    {IdIdleMessage, QT_TRANSLATE_NOOP("CommandStrings", "Ready")},
}};

}  // namespace

QString CommandStrings::Text(int id)
{
    for (const auto& [key, text] : kStrings) {
        if (key == id)
            return QCoreApplication::translate("CommandStrings", text);
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
