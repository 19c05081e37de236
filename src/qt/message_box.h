#pragma once

#include "model/user_message.h"

class QWidget;

// The message boxes of the program: the core's caption and text, German buttons.
namespace vx {

enum class MessageIcon { STOP, WARNING, INFORMATION };

void ShowMessage(QWidget* parent, const UserMessage& message, MessageIcon icon = MessageIcon::STOP);

// Unattended (a screenshot run) the message goes to standard error instead of a box.
void ShowOrPrint(QWidget* parent, const UserMessage& message, MessageIcon icon, bool unattended);

enum class Answer { YES, NO, CANCEL };
// A yes/no question with the information icon; true for yes.
bool AskYesNo(QWidget* parent, const UserMessage& question);
Answer AskYesNoCancel(QWidget* parent, const UserMessage& question);

}  // namespace vx
