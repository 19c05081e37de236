#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "model/opamp_data.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace vx {

class CDesignSession;
class COpAmpTableModel;

// The op-amps the session offers, filtered by name, maker or class as the user types. The
// user's own models are added, changed and removed here: each change is saved to the own
// file, installed for the run and taken by the session at once.
class COpAmpListDlg : public QDialog {
    Q_OBJECT

  public:
    COpAmpListDlg(CDesignSession& session, QWidget* parent);

  private:
    void ShowRows();
    // Change and remove need a selected model.
    void UpdateButtons();
    // The model of the selected row, -1 for none.
    int Selected() const;
    void Select(const std::string& name);
    void Add();
    void Change();
    void Remove();
    // The own models as `own` from now on; false when they could not be saved (the user was
    // told).
    bool Store(std::vector<OpAmpData> own);
    // The selected model when it is one of the own ones; else the user is told.
    std::optional<int> SelectedOwn();

    CDesignSession& session_;
    QLineEdit* filter_;
    QTableView* table_;
    COpAmpTableModel* model_;
    QPushButton* change_;
    QPushButton* remove_;
};

}  // namespace vx
