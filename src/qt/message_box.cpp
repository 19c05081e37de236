#include "qt/message_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "qt/qt_text.h"
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

namespace {

// A question with "Ja" as its default and "Nein", optionally "Abbrechen" as its escape; which
// button was clicked.
Answer Ask(QWidget* parent, const UserMessage& question, QMessageBox::Icon icon, bool cancel) {
    QMessageBox box(icon, Qs(question.caption), Qs(question.text), QMessageBox::NoButton, parent);
    box.setObjectName("questionBox");
    QPushButton* yes = box.addButton(Qs(kYesButton), QMessageBox::YesRole);
    yes->setObjectName("yesButton");
    QPushButton* no = box.addButton(Qs(kNoButton), QMessageBox::NoRole);
    no->setObjectName("noButton");
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    if (cancel) {
        QPushButton* button = box.addButton(Qs(kCancelButton), QMessageBox::RejectRole);
        button->setObjectName("cancelButton");
        box.setEscapeButton(button);
    }
    box.exec();
    if (box.clickedButton() == yes) {
        return Answer::YES;
    }
    return box.clickedButton() == no ? Answer::NO : Answer::CANCEL;
}

}  // namespace

bool AskYesNo(QWidget* parent, const UserMessage& question) {
    return Ask(parent, question, QMessageBox::Information, false) == Answer::YES;
}

Answer AskYesNoCancel(QWidget* parent, const UserMessage& question) {
    return Ask(parent, question, QMessageBox::Question, true);
}

}  // namespace vx
