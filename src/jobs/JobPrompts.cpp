#include "jobs/JobPrompts.h"

#include "base/AppMessage.h"

#include <QMessageBox>

namespace {

bool AskWithQuestionIcon(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, AppMessage::Caption(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

JobPrompts JobPrompts::Defaults()
{
    return {AppMessage::Show, AskWithQuestionIcon};
}
