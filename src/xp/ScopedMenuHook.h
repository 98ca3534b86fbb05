// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xp/MenuHook.h"

// One use of the popup decoration for as long as the object lives:
// InstallMenuHook when made, UninstallMenuHook when it goes.
class ScopedMenuHook {
public:
    ScopedMenuHook() { InstallMenuHook(); }
    ~ScopedMenuHook() { UninstallMenuHook(); }
    ScopedMenuHook(const ScopedMenuHook&) = delete;
    ScopedMenuHook& operator=(const ScopedMenuHook&) = delete;
};
