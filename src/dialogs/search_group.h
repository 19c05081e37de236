#pragma once

#include <QGroupBox>

#include "model/search_input.h"

class QLineEdit;
class QRadioButton;

namespace vx {

// The group "Normwertsuche" of the input dialogs: every combination within the impedance window,
// or the neighbouring values; the window's field is open only for the first.
class CSearchGroup : public QGroupBox {
    Q_OBJECT

  public:
    explicit CSearchGroup(QWidget* parent);

    void Show(const SearchInput& search);
    SearchInput Read() const;
    // The field a refused window focuses.
    QLineEdit* WindowField() const { return window_; }

  private:
    void UpdateEnabled();

    QRadioButton* exhaustive_;
    QRadioButton* neighbours_;
    QLineEdit* window_;
};

}  // namespace vx
