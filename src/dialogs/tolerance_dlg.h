#pragma once

#include <QDialog>
#include <array>

#include "analysis/tolerance_settings.h"

class QLineEdit;

namespace vx {

class CRadioGroup;

// "Toleranzanalyse": what the analysis varies and how often. OK checks the fields with the
// core's check; a refused field keeps the dialog open with the focus on it.
class CToleranceDlg : public QDialog {
    Q_OBJECT

  public:
    CToleranceDlg(const ToleranceSettings& settings, QWidget* parent);

    // The accepted settings.
    const ToleranceSettings& Settings() const { return settings_; }

    void accept() override;

  private:
    ToleranceSettings settings_;
    // In the order of ToleranceField.
    std::array<QLineEdit*, 5> fields_{};
    CRadioGroup* distribution_;
};

}  // namespace vx
