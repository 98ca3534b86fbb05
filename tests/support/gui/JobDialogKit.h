// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TempDir.h"
#include "base/SettingsStore.h"
#include "base/UserDefaults.h"
#include "jobs/JobPrompts.h"

#include <QFile>
#include <QString>

#include <memory>
#include <vector>

// What the job dialogs would have shown, with scripted answers.
struct PromptLog {
    std::vector<QString> shown;
    std::vector<QString> asked;
    bool answer = true;
    // Answers to the replace question in turn; `answer` once they run out.
    std::vector<ReplaceRule::Answer> replaceAnswers;
    std::vector<bool> replaceOfferedAll;

    JobPrompts Prompts()
    {
        return {[this](QWidget*, const QString& text) { shown.push_back(text); },
                [this](QWidget*, const QString& text) {
                    asked.push_back(text);
                    return answer;
                },
                [this](QWidget*, const QString& text, bool offerAll) {
                    asked.push_back(text);
                    replaceOfferedAll.push_back(offerAll);
                    if (replaceAnswers.empty())
                        return answer ? ReplaceRule::Answer::Yes : ReplaceRule::Answer::No;
                    const ReplaceRule::Answer next = replaceAnswers.front();
                    replaceAnswers.erase(replaceAnswers.begin());
                    return next;
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
