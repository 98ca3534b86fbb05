#pragma once

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

    // Modal message boxes captioned with the program's name.
    static JobPrompts Defaults();
};
