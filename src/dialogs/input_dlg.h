#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <map>
#include <optional>

#include "dialogs/radio_group.h"
#include "model/range_check.h"

class QBoxLayout;
class QVBoxLayout;

namespace vx {

class CDesignSession;

// What the three input dialogs share: the session they specify, their two columns, the fields
// a refused check focuses, and the end of their OK.
class CInputDlg : public QDialog {
    Q_OBJECT

  public:
    CInputDlg(CDesignSession& session, QWidget* parent);

    // With capacitors "vorgeben" an accepted specification goes to the capacitor entry; the
    // dialog closes only when it returns true.
    void SetCapacitorEntry(std::function<bool()> entry) { capacitorEntry_ = std::move(entry); }

  protected:
    // The two columns side by side above "OK" and "Abbrechen".
    void Arrange(QVBoxLayout* left, QVBoxLayout* right);
    // A group of radio buttons for an enumeration, added to `layout`.
    template <size_t N>
    CRadioGroup* AddGroup(QBoxLayout* layout, const char* title, const char* name,
                          const std::array<const char*, N>& texts) {
        CRadioGroup* group = MakeGroup(layout, title, name);
        group->AddAll(texts);
        return group;
    }
    // The field that a refused check of `field` focuses; for a pair of fields, the one that
    // `widget` picks when the check is refused.
    template <class Field>
    void MarkField(Field field, QWidget* widget) {
        fields_[static_cast<int>(field)] = [widget] { return widget; };
    }
    template <class Field>
    void MarkField(Field field, std::function<QWidget*()> widget) {
        fields_[static_cast<int>(field)] = std::move(widget);
    }
    // A refused input shows its message and focuses its field, and the dialog stays open;
    // an accepted one goes on to the capacitor entry and closes.
    template <class Field>
    void Conclude(const std::optional<InputError<Field>>& error) {
        if (error) {
            Refuse(error->message, static_cast<int>(error->focus));
        } else {
            Close();
        }
    }

    CDesignSession& session_;

  private:
    CRadioGroup* MakeGroup(QBoxLayout* layout, const char* title, const char* name);
    void Refuse(const UserMessage& message, int field);
    void Close();

    std::function<bool()> capacitorEntry_;
    std::map<int, std::function<QWidget*()>> fields_;
};

}  // namespace vx
