// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

class QWidget;

// The program's message boxes, the one place that builds them. They carry
// the program's file name without extension as caption, show no icon unless
// asked to, and are modal to the top-level window of `parent`.
class AppMessage {
public:
    // The caption of every message box: the application name, which is the
    // executable's file name without extension unless set otherwise.
    static QString Caption();
    // A message with an OK button.
    static void Show(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon);
    // A question with Yes and No, Yes the default; true for Yes. `details`,
    // when given, behind a "Show Details..." button.
    static bool AskYesNo(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon,
                         const QString& details = {});
    // A question with OK and Cancel; true for OK. While it is open, `open`
    // (when given) points at the box, so that the caller may close it.
    static bool AskOkCancel(QWidget* parent, const QString& text, QPointer<QMessageBox>* open = nullptr);
};
