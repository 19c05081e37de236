#pragma once

#include <QDialog>

class QLineEdit;

namespace vx {

class CFilter;

// "Konfiguration der Spice-Aufrufe": the simulator call, the folder of the netlist and the
// op-amp library, each with an example. OK stores them in the record; the Spice commands check
// them when they run.
class COptionsPspiceDlg : public QDialog {
    Q_OBJECT

  public:
    COptionsPspiceDlg(CFilter& filter, QWidget* parent);

    void accept() override;

  private:
    CFilter& filter_;
    QLineEdit* command_;
    QLineEdit* tmpPath_;
    QLineEdit* library_;
};

}  // namespace vx
