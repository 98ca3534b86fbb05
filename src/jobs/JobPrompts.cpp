// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobPrompts.h"

#include "base/AppMessage.h"

#include <QPushButton>

namespace {

ReplaceRule::Answer AskReplaceWithBox(QWidget* parent, const QString& text, bool offerAll)
{
    QMessageBox box(QMessageBox::Question, AppMessage::Caption(), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    QPushButton* yesToAll = offerAll ? box.addButton(JobPrompts::kYesToAllButton(), QMessageBox::YesRole) : nullptr;
    QPushButton* no = box.addButton(QMessageBox::No);
    QPushButton* noToAll = offerAll ? box.addButton(JobPrompts::kNoToAllButton(), QMessageBox::NoRole) : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes)
        return ReplaceRule::Answer::Yes;
    if (clicked != nullptr && clicked == yesToAll)
        return ReplaceRule::Answer::YesToAll;
    if (clicked != nullptr && clicked == noToAll)
        return ReplaceRule::Answer::NoToAll;
    return ReplaceRule::Answer::No;
}

}  // namespace

JobPrompts JobPrompts::Defaults()
{
    return {
        [](QWidget* parent, const QString& text) { AppMessage::Show(parent, text); },
        [](QWidget* parent, const QString& text) { return AppMessage::AskYesNo(parent, text, QMessageBox::Question); },
        AskReplaceWithBox};
}

ReplaceRule::Answer JobPrompts::AskReplace(QWidget* parent, const QString& text, bool offerAll) const
{
    if (askReplace)
        return askReplace(parent, text, offerAll);
    return askYesNo && askYesNo(parent, text) ? ReplaceRule::Answer::Yes : ReplaceRule::Answer::No;
}
