#include "app/message_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "app/qt_text.h"
#include "shell/shell_messages.h"

namespace vx {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::WARNING:
            return QMessageBox::Warning;
        case MessageIcon::INFORMATION:
            return QMessageBox::Information;
        case MessageIcon::STOP:
            break;
    }
    return QMessageBox::Critical;
}

}  // namespace

void ShowMessage(QWidget* parent, const UserMessage& message, MessageIcon icon) {
    QMessageBox box(ToQt(icon), Qs(message.caption), Qs(message.text), QMessageBox::NoButton,
                    parent);
    box.setObjectName("messageBox");
    box.addButton(Qs(kOkButton), QMessageBox::AcceptRole);
    box.exec();
}

void ShowOrPrint(QWidget* parent, const UserMessage& message, MessageIcon icon, bool unattended) {
    if (unattended) {
        std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
    } else {
        ShowMessage(parent, message, icon);
    }
}

Answer AskYesNoCancel(QWidget* parent, const UserMessage& question) {
    QMessageBox box(QMessageBox::Question, Qs(question.caption), Qs(question.text),
                    QMessageBox::NoButton, parent);
    box.setObjectName("questionBox");
    QPushButton* yes = box.addButton(Qs(kYesButton), QMessageBox::YesRole);
    yes->setObjectName("yesButton");
    QPushButton* no = box.addButton(Qs(kNoButton), QMessageBox::NoRole);
    no->setObjectName("noButton");
    QPushButton* cancel = box.addButton(Qs(kCancelButton), QMessageBox::RejectRole);
    cancel->setObjectName("cancelButton");
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) {
        return Answer::YES;
    }
    return box.clickedButton() == no ? Answer::NO : Answer::CANCEL;
}

}  // namespace vx
