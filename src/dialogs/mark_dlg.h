#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "plot/graph_options.h"
#include "plot/plot_messages.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace vx {

// What the two mark windows share: a row per mark with its check box and its field, a field
// enabled only while its box is ticked, and the marks taken over whenever the window closes,
// by "OK" or by its close box alike. A ticked field that holds no number keeps "OK" from
// closing it; the close box then closes it without taking the marks.
class CMarkDlg : public QDialog {
    Q_OBJECT

  public:
    void done(int result) override;

  signals:
    // The marks went into the record: the plot must be drawn again.
    void marksApplied();

  protected:
    CMarkDlg(MarkKind kind, const char* title, const char* fieldColumn, QWidget* parent);

    // Row `index` (0-based) with the field's text; the box's text is the mark's number.
    void AddRow(int index, const MarkField& field);
    MarkField RowField(int index) const;
    template <size_t N>
    std::array<MarkField, N> RowFields() const {
        std::array<MarkField, N> rows;
        for (size_t i = 0; i < N; ++i) {
            rows[i] = RowField(static_cast<int>(i));
        }
        return rows;
    }
    QLineEdit* Edit(int index) const { return edits_[static_cast<size_t>(index)]; }
    bool Checked(int index) const;
    // The grid the rows go into: column 0 the box, 1 the field, 2 and on the subclass's.
    QGridLayout* Grid() const { return grid_; }
    // Ends the layout: the rows above "OK".
    void Finish();

    virtual void Apply() = 0;
    // After a box was ticked or cleared.
    virtual void RowToggled(int index) { (void)index; }

  private:
    // Why the window cannot close yet: a ticked field's text is no number.
    std::optional<UserMessage> Refusal() const;

    MarkKind kind_;
    QGridLayout* grid_;
    std::vector<QCheckBox*> checks_;
    std::vector<QLineEdit*> edits_;
};

}  // namespace vx
