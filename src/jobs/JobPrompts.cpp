#include "jobs/JobPrompts.h"

#include "base/AppMessage.h"

JobPrompts JobPrompts::Defaults()
{
    return {[](QWidget* parent, const QString& text) { AppMessage::Show(parent, text); },
            [](QWidget* parent, const QString& text) {
                return AppMessage::AskYesNo(parent, text, QMessageBox::Question);
            }};
}
