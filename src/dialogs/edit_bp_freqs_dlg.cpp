#include "dialogs/edit_bp_freqs_dlg.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "model/input_dialog_texts.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"

namespace vx {

CEditBpFreqsDlg::CEditBpFreqsDlg(double centre, double bandwidth, QWidget* parent)
    : QDialog(parent),
      lower_(NumberEdit("lowerEdgeEdit", this)),
      upper_(NumberEdit("upperEdgeEdit", this)),
      result_{centre, bandwidth} {
    setObjectName("editBpFreqsDlg");
    setWindowTitle(Qs(kBandEdgesDialogTitle));
    const BandEdgePair edges = BandEdgesOf(centre, bandwidth);
    lower_->setText(Qs(BandEdgeText(edges.lower)));
    upper_->setText(Qs(BandEdgeText(edges.upper)));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(Qs(kLowerEdgeLabel), lower_);
    form->addRow(Qs(kUpperEdgeLabel), upper_);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));
}

void CEditBpFreqsDlg::accept() {
    const auto converted = ConvertBandEdges(ReadNumber(lower_), ReadNumber(upper_));
    if (const auto* message = std::get_if<UserMessage>(&converted)) {
        ShowMessage(this, *message);
        return;
    }
    result_ = std::get<CentreAndBandwidth>(converted);
    QDialog::accept();
}

}  // namespace vx
