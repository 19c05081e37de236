#pragma once

#include <QDialog>

#include "model/band_edges_input.h"

class QLineEdit;

namespace vx {

// The band-pass given by its two edge frequencies instead of centre and bandwidth.
class CEditBpFreqsDlg : public QDialog {
    Q_OBJECT

  public:
    CEditBpFreqsDlg(double centre, double bandwidth, QWidget* parent);

    // Centre frequency and bandwidth after OK.
    const CentreAndBandwidth& Result() const { return result_; }

    void accept() override;

  private:
    QLineEdit* lower_;
    QLineEdit* upper_;
    CentreAndBandwidth result_{};
};

}  // namespace vx
