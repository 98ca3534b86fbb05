// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ReplaceRule.h"

#include <QCoreApplication>
#include <QString>
#include <functional>

class QWidget;

// The message boxes of the job dialogs and add flows. Tests replace them to
// see what would have been shown and to give the answers.
struct JobPrompts {
    // A message with an OK button and no icon.
    std::function<void(QWidget* parent, const QString& text)> show;
    // A question with Yes and No and the question icon; true for Yes.
    std::function<bool(QWidget* parent, const QString& text)> askYesNo;
    // Whether an existing result may be replaced: Yes and No, and with
    // `offerAll` (more files of the operation follow) also "Yes to all" and
    // "No to all". Without it, askYesNo asks.
    std::function<ReplaceRule::Answer(QWidget* parent, const QString& text, bool offerAll)> askReplace = {};

    static QString kYesToAll() { return QCoreApplication::translate("JobPrompts", "Yes to all"); }
    static QString kNoToAll() { return QCoreApplication::translate("JobPrompts", "No to all"); }
    // The same on the buttons, with their access keys (Alt+A, Alt+T); Yes
    // and No have theirs already.
    static QString kYesToAllButton() { return QCoreApplication::translate("JobPrompts", "Yes to &all"); }
    static QString kNoToAllButton() { return QCoreApplication::translate("JobPrompts", "No &to all"); }

    ReplaceRule::Answer AskReplace(QWidget* parent, const QString& text, bool offerAll) const;

    // Modal message boxes captioned with the program's name.
    static JobPrompts Defaults();
};
