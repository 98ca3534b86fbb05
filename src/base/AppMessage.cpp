#include "base/AppMessage.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton Ask(QWidget* parent, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::NoIcon, AppMessage::Caption(), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

QString AppMessage::Caption()
{
    return QCoreApplication::applicationName();
}

void AppMessage::Show(QWidget* parent, const QString& text)
{
    Ask(parent, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool AppMessage::AskYesNo(QWidget* parent, const QString& text)
{
    return Ask(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool AppMessage::AskOkCancel(QWidget* parent, const QString& text)
{
    return Ask(parent, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}
