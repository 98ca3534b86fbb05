// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/SettingsRecord.h"
#include "base/SettingsStore.h"

#include <QString>
#include <utility>

// The user defaults of this run together with the file that keeps them. The
// application object owns the one of the program and hands it to the window
// and the dialogs that read the defaults or save new ones, so those need not
// know the application object.
class UserDefaults {
public:
    explicit UserDefaults(SettingsStore store = SettingsStore()) : m_store(std::move(store)) { }

    SettingsRecord& Settings() { return m_settings; }
    const SettingsRecord& Settings() const { return m_settings; }
    QString SettingsFilePath() const { return m_store.SettingsFilePath(); }
    void ReadSettingsFile() { m_store.ReadSettingsFile(m_settings); }
    // False when the file could not be written; nothing is shown then.
    bool WriteSettingsFile() const { return m_store.WriteSettingsFile(m_settings); }

private:
    SettingsStore m_store;
    SettingsRecord m_settings;
};
