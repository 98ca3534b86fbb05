// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppMessage.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

QMessageBox::StandardButton Ask(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, AppMessage::Caption(), text, buttons, parent ? parent->window() : nullptr);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

QString AppMessage::Caption()
{
    return QCoreApplication::applicationName();
}

void AppMessage::Show(QWidget* parent, const QString& text, QMessageBox::Icon icon)
{
    Ask(parent, text, icon, QMessageBox::Ok, QMessageBox::Ok);
}

bool AppMessage::AskYesNo(QWidget* parent, const QString& text, QMessageBox::Icon icon)
{
    return Ask(parent, text, icon, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool AppMessage::AskOkCancel(QWidget* parent, const QString& text)
{
    return Ask(parent, text, QMessageBox::NoIcon, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}
