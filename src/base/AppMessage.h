#pragma once

#include <QString>

class QWidget;

// The program's message boxes. They carry the program's file name without
// extension as caption and show no icon.
class AppMessage {
public:
    // The caption of every message box: the application name, which is the
    // executable's file name without extension unless set otherwise.
    static QString Caption();
    // A message with an OK button.
    static void Show(QWidget* parent, const QString& text);
    // A question with Yes and No; true for Yes.
    static bool AskYesNo(QWidget* parent, const QString& text);
    // A question with OK and Cancel; true for OK.
    static bool AskOkCancel(QWidget* parent, const QString& text);
};
