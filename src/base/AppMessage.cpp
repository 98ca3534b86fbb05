// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AppMessage.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

QMessageBox::StandardButton Ask(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                                QPointer<QMessageBox>* open = nullptr, const QString& details = {})
{
    QMessageBox box(icon, AppMessage::Caption(), text, buttons, parent ? parent->window() : nullptr);
    box.setDefaultButton(defaultButton);
    if (!details.isEmpty())
        box.setDetailedText(details);
    if (open)
        *open = &box;
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (open)
        *open = nullptr;
    return answer;
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

bool AppMessage::AskYesNo(QWidget* parent, const QString& text, QMessageBox::Icon icon, const QString& details)
{
    return Ask(parent, text, icon, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, nullptr, details)
        == QMessageBox::Yes;
}

bool AppMessage::AskOkCancel(QWidget* parent, const QString& text, QPointer<QMessageBox>* open)
{
    return Ask(parent, text, QMessageBox::NoIcon, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, open)
        == QMessageBox::Ok;
}
