// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The string table of the commands. Each entry is the status-bar prompt and
// the tooltip, separated by "\n"; the texts are kept exactly, blanks included.
class CommandStrings {
public:
    // The whole entry of `id`; empty for an id without one.
    static QString Text(int id);
    // The part before "\n": shown in the status bar while the item is hovered.
    static QString Prompt(int id);
    // The part after "\n": the toolbar button's tooltip.
    static QString ToolTip(int id);
    // The status bar's idle text.
    static QString IdleMessage();
};
