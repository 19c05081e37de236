#pragma once

#include <QDialog>
#include <vector>

#include "structures/capacitors/capacitor_choice.h"

class QGridLayout;
class QPushButton;

namespace vx {

class CFilterStructure;

// The capacitors of every stage of a design, ten stages a page; OK recomputes each stage from
// its capacitors. The structure must be prepared for the design.
class CEditCapsDlg : public QDialog {
    Q_OBJECT

  public:
    CEditCapsDlg(CFilterStructure& structure, QWidget* parent);

    // Whether OK changed a capacitor.
    bool Changed() const { return changed_; }

    void accept() override;

  private:
    void ShowPage();
    void AddRow(int stage, int which, int row);
    void Change(int stage, int which);
    double& ValueOf(int stage, int which);
    double MinimumOf(int stage, int which) const;

    CFilterStructure& structure_;
    std::vector<StageCapacitors> caps_;
    std::vector<StageCapacitors> stored_;
    std::pair<std::string, std::string> labels_;
    int firstStage_ = 0;
    bool changed_ = false;
    QWidget* page_;
    QGridLayout* grid_ = nullptr;
    QPushButton* more_;
};

}  // namespace vx
