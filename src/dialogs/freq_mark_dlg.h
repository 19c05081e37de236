#pragma once

#include <vector>

#include "dialogs/mark_dlg.h"

class QLabel;

namespace vx {

class CDesignSession;

// "Grafik - Frequenzmarken" (modeless): six frequency marks, each with the level of the stored
// design at its frequency, computed when the window opens and when the field is left.
class CFreqMarkDlg : public CMarkDlg {
    Q_OBJECT

  public:
    CFreqMarkDlg(CDesignSession& session, QWidget* parent);

  private:
    void Apply() override;
    void RowToggled(int index) override;
    void ShowLevel(int index);

    CDesignSession& session_;
    std::vector<QLabel*> levels_;
};

}  // namespace vx
