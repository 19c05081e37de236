#pragma once

#include "dialogs/mark_dlg.h"

namespace vx {

class CFilter;

// "Grafik - Amplitudenmarken" (modeless): four levels in dB drawn as lines across the plot.
class CAmplMarkDlg : public CMarkDlg {
    Q_OBJECT

  public:
    CAmplMarkDlg(CFilter& filter, QWidget* parent);

  private:
    void Apply() override;

    CFilter& filter_;
};

}  // namespace vx
