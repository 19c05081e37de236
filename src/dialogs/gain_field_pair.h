#pragma once

#include <QObject>

#include "model/gain_fields.h"

class QLineEdit;
class QWidget;

namespace vx {

// The linear gain field and the dB field of an input dialog: each follows the other as the
// user types.
class CGainFieldPair : public QObject {
    Q_OBJECT

  public:
    explicit CGainFieldPair(QWidget* parent);

    QLineEdit* LinearEdit() const { return linear_; }
    QLineEdit* DbEdit() const { return db_; }
    void SetGainDb(double gainDb);
    // NaN while either field holds no number: the gain's range check names it.
    double GainDb() const;
    // The field a refused gain focuses: the linear one while it holds no number, else the dB
    // one.
    QLineEdit* RefusedField() const;

  private:
    void DbEdited(const QString& text);
    void LinearEdited(const QString& text);

    QLineEdit* linear_;
    QLineEdit* db_;
    ShownNumber shownDb_;
};

}  // namespace vx
