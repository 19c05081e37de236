#include "dialogs/gain_field_pair.h"

#include <QLineEdit>
#include <cmath>

#include "dialogs/dialog_parts.h"
#include "model/gain_fields.h"
#include "qt/qt_text.h"

namespace vx {

CGainFieldPair::CGainFieldPair(QWidget* parent)
    : QObject(parent),
      linear_(NumberEdit("gainLinearEdit", parent)),
      db_(NumberEdit("gainDbEdit", parent)) {
    connect(db_, &QLineEdit::textEdited, this, &CGainFieldPair::DbEdited);
    connect(linear_, &QLineEdit::textEdited, this, &CGainFieldPair::LinearEdited);
}

void CGainFieldPair::SetGainDb(double gainDb) {
    shownDb_ = {GainDbText(gainDb), gainDb};
    db_->setText(Qs(shownDb_.text));
    linear_->setText(Qs(GainLinearText(gainDb)));
}

double CGainFieldPair::GainDb() const {
    return PairedGainDb(Std(linear_->text()), Std(db_->text()), shownDb_);
}

QLineEdit* CGainFieldPair::RefusedField() const {
    return std::isnan(FieldNumber(Std(linear_->text()))) ? linear_ : db_;
}

void CGainFieldPair::DbEdited(const QString& text) {
    if (const auto linear = GainLinearTextFromDb(Std(text))) {
        linear_->setText(Qs(*linear));
    }
}

void CGainFieldPair::LinearEdited(const QString& text) {
    if (const auto db = GainDbTextFromLinear(Std(text))) {
        db_->setText(Qs(*db));
    }
}

}  // namespace vx
