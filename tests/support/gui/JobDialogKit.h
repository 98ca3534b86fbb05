#pragma once

#include "base/SettingsStore.h"
#include "base/UserDefaults.h"
#include "jobs/JobPrompts.h"
#include "TempDir.h"

#include <QFile>
#include <QString>

#include <memory>
#include <vector>

// What the job dialogs would have shown, with scripted answers.
struct PromptLog {
    std::vector<QString> shown;
    std::vector<QString> asked;
    bool answer = true;

    JobPrompts Prompts()
    {
        return {[this](QWidget*, const QString& text) { shown.push_back(text); },
                [this](QWidget*, const QString& text) {
                    asked.push_back(text);
                    return answer;
                }};
    }
};

// User defaults whose settings file lives in a fresh folder, for the dialogs
// that read and save them.
struct DefaultsInTempDir {
    TempDir dir;
    QString folder = QString::fromStdString(dir.Path());
    UserDefaults defaults{SettingsStore({folder, folder + "/fallback", &SettingsStore::IsWritableFolder})};

    DefaultsInTempDir(const QString& source, const QString& dest, const QString& bitRate)
    {
        defaults.Settings() = {source, dest, bitRate};
    }
    QString ConfigPath() const { return folder + "/config.ini"; }
    // A file in the temporary folder, created with a few bytes.
    QString MakeFile(const QString& name) const
    {
        const QString path = folder + "/" + name;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("ID3");
        return path;
    }
};
