#pragma once

#include <QDialog>

class QCheckBox;

namespace vx {

class CFilter;

// "Grafik - Kurvenauswahl": which of the four curves the plot shows after each design.
class COptionGrafikDlg : public QDialog {
    Q_OBJECT

  public:
    COptionGrafikDlg(CFilter& filter, QWidget* parent);

    void accept() override;

  private:
    CFilter& filter_;
    QCheckBox* filterCurve_;
    QCheckBox* target_;
    QCheckBox* traditional_;
    QCheckBox* delay_;
};

}  // namespace vx
