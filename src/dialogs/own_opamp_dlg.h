#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "model/opamp_data.h"
#include "model/own_opamp_input.h"

class QComboBox;
class QLineEdit;

namespace vx {

class COpv;

// The form of an own op-amp model: a field for each figure. OK checks the fields against the
// list `known` (the name of the model being changed, `replacing`, may stay); a refused field
// keeps the form open with the focus on that field.
class COwnOpAmpDlg : public QDialog {
    Q_OBJECT

  public:
    COwnOpAmpDlg(const COpv& known, const OwnOpAmpInput& input, std::string replacing,
                 QWidget* parent);

    // The model the form describes, after OK.
    const OpAmpData& Row() const { return row_; }

    void accept() override;

  private:
    struct Field {
        std::string OwnOpAmpInput::*member;
        QLineEdit* edit;
    };

    OwnOpAmpInput Input() const;

    const COpv& known_;
    std::string replacing_;
    std::vector<Field> fields_;
    QComboBox* railToRail_;
    OpAmpData row_;
};

}  // namespace vx
