#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "analysis/plan/order_plan.h"
#include "analysis/plan/scheme_input.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vx {

class CRadioGroup;

// "Filter aus Toleranzschema planen": the type, its scheme and optional limits, the plan of
// every characteristic as a table, and the structure. The plan follows the fields while they
// pass the check; "Planen" tells why they do not. "Übernehmen..." takes the chosen row and
// structure.
class CSchemeDlg : public QDialog {
    Q_OBJECT

  public:
    CSchemeDlg(const SchemeEntries& entries, QWidget* parent);

    // What the fields hold, for the next time the dialog opens (also after a cancel).
    const SchemeEntries& Entries() const { return entries_; }
    // After OK: the scheme planned, the chosen row and structure.
    const ToleranceScheme& Scheme() const { return scheme_; }
    const PlanRow& Row() const;
    StructureKind Structure() const;

    void accept() override;

  private:
    QWidget* MakeFieldsColumn();
    void ShowType();
    // Plans the fields' scheme; a scheme the check refuses empties the table, and with `tell`
    // shows why and focuses the field.
    void Plan(bool tell);
    void ShowPlan(std::optional<size_t> selected);
    void UpdateStructures();
    FilterType Type() const;
    std::optional<size_t> SelectedRow() const;
    QLineEdit* Field(SchemeField field) const { return fields_[static_cast<size_t>(field)]; }

    SchemeEntries entries_;
    ToleranceScheme scheme_;
    std::vector<PlanRow> rows_;
    CRadioGroup* type_ = nullptr;
    CRadioGroup* structure_ = nullptr;
    std::array<QLabel*, kSchemeFieldCount> labels_{};
    std::array<QLineEdit*, kSchemeFieldCount> fields_{};
    QTableWidget* table_ = nullptr;
    QPushButton* take_ = nullptr;
};

}  // namespace vx
