// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numeric command identifiers of the menus, toolbar buttons, accelerators and
// the job table's context menu. Menu and toolbar offer some commands under two
// ids (for example 40017 in the menu and 40001 on the toolbar); both reach the
// same handler.
enum CommandId : int {
    IdToolAddJob = 40001,       // toolbar: Add Job
    IdToolDeleteJob = 40004,    // toolbar: Delete Job
    IdToolJobProperty = 40005,  // toolbar: Job Property (taken by the job table alone)
    IdMenuCustomize = 40006,    // menu View, ToolBar, Customize...
    IdJobDelete = 40008,        // menu Job, Delete; Del; context menu
    IdSettings = 40009,         // menu View, Settings; F4; context menu
    IdToolSettings = 40016,     // toolbar: System Settings
    IdJobAdd = 40017,           // menu Job, Add; F2; context menu
    IdAbout = 40028,            // menu Help, About
    IdJobProperty = 40030,      // menu Job, Property; context menu
    IdHelpTopics = 40031,       // menu Help, Help Topics; F1
    IdToolCustomize = 40032,    // toolbar: ToolBar Customize
    IdToolHelpTopics = 40034,   // toolbar: Help Topics
    IdToolAbout = 40035,        // toolbar: About
    IdToolExit = 40036,         // toolbar: Exit
    IdJobAddFolder = 40037,     // menu Job, Add Folder...; Ctrl+Shift+O; context menu
    IdAppExit = 57665,          // menu Job, Exit
};

// The job table's commands: add, delete and property, under their menu and
// toolbar ids. The table takes them all; the frame hands all but the
// toolbar's Job Property on to it.
constexpr bool IsJobTableCommand(int id)
{
    switch (id) {
    case IdJobAdd:
    case IdToolAddJob:
    case IdJobDelete:
    case IdToolDeleteJob:
    case IdJobProperty:
    case IdToolJobProperty:
        return true;
    default:
        return false;
    }
}

// String id of the status bar's idle text ("Ready").
constexpr int IdIdleMessage = 57345;
