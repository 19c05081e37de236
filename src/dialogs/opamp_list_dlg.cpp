#include "dialogs/opamp_list_dlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "dialogs/dialog_parts.h"
#include "dialogs/opamp_table_model.h"
#include "dialogs/own_opamp_dlg.h"
#include "files/opamp_files.h"
#include "model/opamp_texts.h"
#include "model/own_opamp_input.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "session/design_session.h"

namespace vx {

namespace {

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(Qs(text), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// The own model named `name` in `own`.
std::vector<OpAmpData>::iterator Find(std::vector<OpAmpData>& own, const std::string& name) {
    return std::find_if(own.begin(), own.end(),
                        [&name](const OpAmpData& row) { return row.name == name; });
}

}  // namespace

COpAmpListDlg::COpAmpListDlg(CDesignSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      filter_(new QLineEdit(this)),
      table_(new QTableView(this)),
      model_(new COpAmpTableModel(this)),
      change_(Button(opamp_text::kChangeButton, "changeButton", this)),
      remove_(Button(opamp_text::kRemoveButton, "removeButton", this)) {
    setObjectName("opampListDlg");
    setWindowTitle(Qs(opamp_text::kListTitle));
    filter_->setObjectName("opampFilter");
    filter_->setPlaceholderText(Qs(opamp_text::kFilterHint));
    filter_->setClearButtonEnabled(true);
    auto* filterRow = new QHBoxLayout;
    QLabel* filterLabel = TextLabel(opamp_text::kFilterLabel, this);
    filterLabel->setBuddy(filter_);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);

    table_->setObjectName("opampTable");
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    ShowRows();
    // Rows as close as a list's: there are many of them.
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().lineSpacing() * 3 / 2);
    table_->resizeColumnsToContents();
    // Makers and sources run long; their columns are cut and show the rest as a tool tip.
    const int chars = table_->fontMetrics().averageCharWidth();
    table_->setColumnWidth(1, std::min(table_->columnWidth(1), chars * 26));
    table_->setColumnWidth(model_->columnCount() - 1, chars * 36);
    int width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    for (int k = 0; k < model_->columnCount(); ++k) {
        width += table_->columnWidth(k);
    }
    table_->setMinimumSize(chars * 60, table_->verticalHeader()->defaultSectionSize() * 8);

    QPushButton* add = Button(opamp_text::kAddButton, "addButton", this);
    QPushButton* close = Button(opamp_text::kCloseButton, "closeButton", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(change_);
    buttons->addWidget(remove_);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    // Every column at first, where the screen has room; the table scrolls in a smaller dialog.
    const QSize room = screen() != nullptr ? screen()->availableSize() : QSize(width, width);
    resize(std::min(width + 2 * layout->contentsMargins().left(), room.width() * 9 / 10),
           std::min(table_->verticalHeader()->defaultSectionSize() * 18, room.height() * 4 / 5));

    connect(filter_, &QLineEdit::textChanged, this, [this] {
        const int selected = Selected();
        ShowRows();
        Select(session_.OpAmps().Name(selected));
    });
    connect(add, &QPushButton::clicked, this, &COpAmpListDlg::Add);
    connect(change_, &QPushButton::clicked, this, &COpAmpListDlg::Change);
    connect(remove_, &QPushButton::clicked, this, &COpAmpListDlg::Remove);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(table_, &QTableView::doubleClicked, this, &COpAmpListDlg::Change);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &COpAmpListDlg::UpdateButtons);
}

void COpAmpListDlg::ShowRows() {
    model_->Show(session_.OpAmps(), Std(filter_->text()));
    UpdateButtons();
}

void COpAmpListDlg::UpdateButtons() {
    const bool any = Selected() > 0;
    change_->setEnabled(any);
    remove_->setEnabled(any);
}

int COpAmpListDlg::Selected() const {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : model_->ModelIndex(rows.front().row());
}

void COpAmpListDlg::Select(const std::string& name) {
    const int row = model_->RowOf(session_.OpAmps().FindByName(name));
    if (row >= 0 && !name.empty()) {
        table_->selectRow(row);
        table_->scrollTo(model_->index(row, 0));
    }
}

bool COpAmpListDlg::Store(std::vector<OpAmpData> own) {
    if (const auto failed = SaveAndInstallOwnOpAmps(OwnOpAmpPath(), std::move(own))) {
        ShowMessage(this, *failed);
        return false;
    }
    session_.TakeInstalledOpAmps();
    ShowRows();
    return true;
}

std::optional<int> COpAmpListDlg::SelectedOwn() {
    const int selected = Selected();
    if (selected <= 0) {
        return std::nullopt;
    }
    if (!session_.OpAmps().IsOwn(selected)) {
        ShowMessage(this, NotOwnOpAmpMessage(session_.OpAmps().Name(selected)),
                    MessageIcon::INFORMATION);
        return std::nullopt;
    }
    return selected;
}

void COpAmpListDlg::Add() {
    COwnOpAmpDlg form(session_.OpAmps(), {}, "", this);
    if (form.exec() != QDialog::Accepted) {
        return;
    }
    std::vector<OpAmpData> own = InstalledOpAmps().own;
    own.push_back(form.Row());
    // A filter that would hide the new model would leave the user wondering where it went.
    filter_->blockSignals(true);
    filter_->clear();
    filter_->blockSignals(false);
    if (Store(std::move(own))) {
        Select(form.Row().name);
    }
}

void COpAmpListDlg::Change() {
    const std::optional<int> selected = SelectedOwn();
    if (!selected) {
        return;
    }
    const COpv& opv = session_.OpAmps();
    const std::string name = opv.Name(*selected);
    const bool inUse = session_.Filter().OpAmp() == *selected;
    COwnOpAmpDlg form(opv, InputOf(opv.Data(*selected)), name, this);
    if (form.exec() != QDialog::Accepted) {
        return;
    }
    std::vector<OpAmpData> own = InstalledOpAmps().own;
    const auto row = Find(own, name);
    if (row == own.end()) {
        return;
    }
    *row = form.Row();
    if (!Store(std::move(own))) {
        return;
    }
    // The specification follows its op-amp to a new name.
    if (inUse && form.Row().name != name) {
        session_.Filter().SetOpAmp(std::max(0, session_.OpAmps().FindByName(form.Row().name)));
        session_.Filter().specModified = true;
    }
    Select(form.Row().name);
}

void COpAmpListDlg::Remove() {
    const std::optional<int> selected = SelectedOwn();
    if (!selected) {
        return;
    }
    const std::string name = session_.OpAmps().Name(*selected);
    if (session_.Filter().OpAmp() == *selected) {
        ShowMessage(this, OpAmpInUseMessage(name), MessageIcon::INFORMATION);
        return;
    }
    std::vector<OpAmpData> own = InstalledOpAmps().own;
    if (const auto row = Find(own, name); row != own.end()) {
        own.erase(row);
        Store(std::move(own));
    }
}

}  // namespace vx
