// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One link of the command route: the active view, then the frame, then the
// application. A target that takes a command says so; the first one that
// takes it handles it and decides whether it is enabled.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // True when this target handles `id`.
    virtual bool TakesCommand(int id) const = 0;
    // Whether the command is enabled now; asked only when TakesCommand(id).
    virtual bool CommandEnabled(int id) const
    {
        (void)id;
        return true;
    }
    // Carries the command out; called only when TakesCommand(id) and enabled.
    virtual void OnCommand(int id) = 0;
};
