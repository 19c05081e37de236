#pragma once

#include <QDialog>
#include <array>

#include "model/filter.h"

class QLineEdit;

namespace vx {

// The linear gain of each of the 15 stages, for the distribution "entered per stage".
class CGainDlg : public QDialog {
    Q_OBJECT

  public:
    CGainDlg(CFilter& filter, QWidget* parent);

    void accept() override;

  private:
    CFilter& filter_;
    std::array<QLineEdit*, kMaxStages> gains_{};
};

}  // namespace vx
