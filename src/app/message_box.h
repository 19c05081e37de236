#pragma once

#include "model/user_message.h"

class QWidget;

// The message boxes of the program: the core's caption and text, German buttons.
namespace vx {

enum class MessageIcon { STOP, WARNING, INFORMATION };

void ShowMessage(QWidget* parent, const UserMessage& message, MessageIcon icon = MessageIcon::STOP);

enum class Answer { YES, NO, CANCEL };
Answer AskYesNoCancel(QWidget* parent, const UserMessage& question);

}  // namespace vx
