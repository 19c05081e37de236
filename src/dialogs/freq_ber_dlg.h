#pragma once

#include <QDialog>

#include "plot/plot_range_form.h"

class QLineEdit;

namespace vx {

class CFilter;

// "Grafik - Frequenzbereich": the plot range as factors of the filter frequency or as
// frequencies in hertz, the two kept in step; OK stores the range in the record and stays open
// while the record refuses it.
class CFreqBerDlg : public QDialog {
    Q_OBJECT

  public:
    CFreqBerDlg(CFilter& filter, QWidget* parent);

    void accept() override;

  private:
    void ShowFields();

    CFilter& filter_;
    CPlotRangeForm form_;
    QLineEdit* startFactor_;
    QLineEdit* endFactor_;
    QLineEdit* startHz_;
    QLineEdit* endHz_;
};

}  // namespace vx
