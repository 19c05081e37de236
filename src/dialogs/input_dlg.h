#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "model/range_check.h"

namespace vx {

class CDesignSession;

// What the three input dialogs share: the session they specify, and the end of their OK.
class CInputDlg : public QDialog {
    Q_OBJECT

  public:
    CInputDlg(CDesignSession& session, QWidget* parent);

    // With capacitors "vorgeben" an accepted specification goes to the capacitor entry; the
    // dialog closes only when it returns true.
    void SetCapacitorEntry(std::function<bool()> entry) { capacitorEntry_ = std::move(entry); }

  protected:
    // A refused input shows its message and focuses its field, and the dialog stays open;
    // an accepted one goes on to the capacitor entry and closes.
    template <class Field, class FieldWidget>
    void Conclude(const std::optional<InputError<Field>>& error, FieldWidget&& fieldWidget) {
        if (error) {
            Refuse(error->message, fieldWidget(error->focus));
        } else {
            Close();
        }
    }

    CDesignSession& session_;

  private:
    void Refuse(const UserMessage& message, QWidget* field);
    void Close();

    std::function<bool()> capacitorEntry_;
};

}  // namespace vx
