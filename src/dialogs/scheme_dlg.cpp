#include "dialogs/scheme_dlg.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "analysis/plan/plan_dialog_texts.h"
#include "analysis/plan/plan_text.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/radio_group.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"
#include "shell/shell_messages.h"

namespace vx {

namespace t = plan_text;

namespace {

constexpr FilterType kTypes[] = {FilterType::LOWPASS, FilterType::HIGHPASS, FilterType::BANDPASS,
                                 FilterType::BANDREJECT};
constexpr StructureKind kStructures[] = {StructureKind::SALLEN_KEY, StructureKind::SALLEN_KEY_X,
                                         StructureKind::MFB, StructureKind::TWIN_T};

struct FieldRow {
    SchemeField field;
    const char* name;
};

constexpr FieldRow kSchemeRows[] = {
    {SchemeField::PASS_EDGE, "passEdgeEdit"},
    {SchemeField::PASS_EDGE_HIGH, "passEdgeHighEdit"},
    {SchemeField::PASS_ATTENUATION, "passAttenuationEdit"},
    {SchemeField::STOP_EDGE, "stopEdgeEdit"},
    {SchemeField::STOP_EDGE_HIGH, "stopEdgeHighEdit"},
    {SchemeField::STOP_ATTENUATION, "stopAttenuationEdit"},
};

constexpr FieldRow kLimitRows[] = {
    {SchemeField::DELAY_VARIATION, "delayVariationEdit"},
    {SchemeField::OVERSHOOT, "overshootEdit"},
};

// The most rows a plan has: three characteristics and every usual smaller ripple.
constexpr int kPlanRowsShown = 3 + static_cast<int>(std::size(kPlanRipples));

// A heading of several words on two lines, broken at the blank nearest its middle, so that a
// column is not much wider than its numbers.
QString TwoLines(const std::string& heading) {
    QString text = Qs(heading);
    int best = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char(' ') &&
            (best < 0 || std::abs(2 * i - text.size()) < std::abs(2 * best - text.size()))) {
            best = i;
        }
    }
    if (best >= 0) {
        text[best] = QLatin1Char('\n');
    }
    return text;
}

}  // namespace

CSchemeDlg::CSchemeDlg(const SchemeEntries& entries, QWidget* parent)
    : QDialog(parent), entries_(entries) {
    setObjectName("schemeDlg");
    setWindowTitle(Qs(t::kCaption));

    type_ = new CRadioGroup(t::kTypeGroup, "type", this);
    for (const FilterType type : kTypes) {
        type_->Add(CFilter::TypeName(static_cast<int>(type)).c_str());
    }
    structure_ = new CRadioGroup(t::kStructureGroup, "structure", this);
    for (const StructureKind structure : kStructures) {
        structure_->Add(CFilter::StructureName(static_cast<int>(structure)).c_str());
    }
    auto* choices = new QVBoxLayout;
    choices->addWidget(type_);
    choices->addWidget(structure_);
    choices->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(choices);
    top->addWidget(MakeFieldsColumn(), 1);

    auto* plan = new QGroupBox(Qs(t::kPlanGroup), this);
    table_ = new QTableWidget(plan);
    table_->setObjectName("planTable");
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* planBox = new QVBoxLayout(plan);
    planBox->addWidget(table_);
    planBox->addWidget(TextLabel(t::kPlanNote, plan));

    auto* buttons = new QDialogButtonBox(this);
    take_ = buttons->addButton(Qs(t::kTakeButton), QDialogButtonBox::AcceptRole);
    take_->setObjectName("takeButton");
    buttons->addButton(Qs(kCancelButton), QDialogButtonBox::RejectRole)
        ->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &CSchemeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSchemeDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(plan, 1);
    layout->addWidget(buttons);

    type_->SetIndex(static_cast<int>(entries_.type));
    ShowType();
    connect(type_, &CRadioGroup::indexChanged, this, [this] {
        entries_.type = Type();
        ShowType();
    });
    connect(structure_, &CRadioGroup::indexChanged, this, [this](int index) {
        entries_.Of(Type()).structure = static_cast<StructureKind>(index);
        UpdateStructures();
    });
    connect(table_, &QTableWidget::itemSelectionChanged, this, &CSchemeDlg::UpdateStructures);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &CSchemeDlg::accept);
}

QWidget* CSchemeDlg::MakeFieldsColumn() {
    auto* column = new QWidget(this);
    auto* box = new QVBoxLayout(column);
    box->setContentsMargins(0, 0, 0, 0);
    // The labels of both groups share one width, the widest any type shows, so that the fields
    // line up and stay put when the type changes.
    int labelWidth = 0;
    std::vector<QGridLayout*> grids;
    auto group = [&](const char* title, const auto& rows) {
        auto* groupBox = new QGroupBox(Qs(title), column);
        auto* grid = new QGridLayout(groupBox);
        int r = 0;
        for (const FieldRow& row : rows) {
            auto* label = new QLabel(groupBox);
            for (const FilterType type : kTypes) {
                label->setText(Qs(SchemeFieldLabel(type, row.field)));
                labelWidth = std::max(labelWidth, label->sizeHint().width());
            }
            QLineEdit* edit = NumberEdit(row.name, groupBox);
            labels_[static_cast<size_t>(row.field)] = label;
            fields_[static_cast<size_t>(row.field)] = edit;
            grid->addWidget(label, r, 0);
            grid->addWidget(edit, r, 1);
            connect(edit, &QLineEdit::textChanged, this,
                    [this, field = row.field](const QString& text) {
                        entries_.Of(Type()).Text(field) = Std(text);
                        Plan(false);
                    });
            ++r;
        }
        grid->setColumnStretch(2, 1);
        grids.push_back(grid);
        box->addWidget(groupBox);
        return grid;
    };
    group(kSchemeTitle, kSchemeRows);
    QGridLayout* limits = group(t::kLimitsGroup, kLimitRows);
    limits->addWidget(TextLabel(t::kNoLimitNote, limits->parentWidget()), 0, 2);
    for (QGridLayout* grid : grids) {
        grid->setColumnMinimumWidth(0, labelWidth);
    }
    auto* plan = new QPushButton(Qs(t::kPlanButton), column);
    plan->setObjectName("planButton");
    plan->setDefault(true);
    connect(plan, &QPushButton::clicked, this, [this] { Plan(true); });
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(plan);
    box->addLayout(row);
    box->addStretch(1);
    return column;
}

FilterType CSchemeDlg::Type() const {
    return static_cast<FilterType>(type_->Index());
}

void CSchemeDlg::ShowType() {
    const FilterType type = Type();
    const SchemeInput& input = entries_.Of(type);
    for (const FieldRow& row : kSchemeRows) {
        const bool used = SchemeFieldUsed(type, row.field);
        labels_[static_cast<size_t>(row.field)]->setVisible(used);
        Field(row.field)->setVisible(used);
    }
    for (const FieldRow& row : kLimitRows) {
        const bool used = SchemeFieldUsed(type, row.field);
        labels_[static_cast<size_t>(row.field)]->setEnabled(used);
        Field(row.field)->setEnabled(used);
    }
    for (size_t i = 0; i < kSchemeFieldCount; ++i) {
        const auto field = static_cast<SchemeField>(i);
        labels_[i]->setText(Qs(SchemeFieldLabel(type, field)));
        // One plan for the whole type, not one per field.
        const QSignalBlocker blocker(fields_[i]);
        fields_[i]->setText(Qs(input.Text(field)));
    }
    // No row of the other type's plan may move the structure aside.
    rows_.clear();
    structure_->SetIndex(static_cast<int>(input.structure));
    Plan(false);
}

void CSchemeDlg::Plan(bool tell) {
    const std::optional<size_t> selected = SelectedRow();
    const std::optional<PlanRow> chosen =
        selected ? std::optional<PlanRow>(rows_[*selected]) : std::nullopt;
    const ToleranceScheme scheme = SchemeFromInput(Type(), entries_.Of(Type()));
    if (const auto error = CheckScheme(scheme)) {
        scheme_ = ToleranceScheme{};
        scheme_.type = Type();
        rows_.clear();
        ShowPlan(std::nullopt);
        if (tell) {
            ShowMessage(this, error->message);
            Field(error->focus)->setFocus();
        }
        return;
    }
    if (scheme == scheme_ && !rows_.empty()) {
        return;
    }
    scheme_ = scheme;
    rows_ = PlanOrders(scheme);
    ShowPlan(PreferredPlanRow(rows_, chosen));
}

void CSchemeDlg::ShowPlan(std::optional<size_t> selected) {
    const PlanTable plan = MakePlanTable(scheme_, rows_);
    const bool limits = scheme_.delayVariationPercent || scheme_.overshootPercent;
    const QSignalBlocker blocker(table_);
    table_->clear();
    table_->clearSpans();
    table_->setColumnCount(static_cast<int>(plan.headings.size()));
    table_->setRowCount(static_cast<int>(plan.rows.size()));
    QStringList headings;
    for (const std::string& heading : plan.headings) {
        headings << TwoLines(heading);
    }
    table_->setHorizontalHeaderLabels(headings);
    for (size_t r = 0; r < plan.rows.size(); ++r) {
        const PlanRow& row = rows_[r];
        const bool reached = row.order > 0;
        QFont font = table_->font();
        font.setBold(reached && limits && row.meetsLimits);
        for (size_t k = 0; k < plan.rows[r].size(); ++k) {
            auto* item = new QTableWidgetItem(Qs(plan.rows[r][k]));
            item->setTextAlignment(k == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            // Greyed and not to be chosen: the row does not reach the scheme.
            item->setFlags(reached ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
            item->setFont(font);
            table_->setItem(static_cast<int>(r), static_cast<int>(k), item);
        }
        if (!reached) {
            // "nicht bis Ordnung 30" runs across the columns it leaves empty.
            table_->setSpan(static_cast<int>(r), 1, 1, table_->columnCount() - 1);
        }
    }
    table_->resizeColumnsToContents();
    int width = 2 * table_->frameWidth();
    for (int k = 0; k < table_->columnCount(); ++k) {
        // Some air around the numbers, which otherwise touch the grid; one character, not the
        // two of the result tables, so that a low-pass plan fits a screen 1280 pixels wide.
        table_->setColumnWidth(k, table_->columnWidth(k) + fontMetrics().averageCharWidth());
        width += table_->columnWidth(k);
    }
    const int height = 2 * table_->frameWidth() + table_->horizontalHeader()->sizeHint().height() +
                       kPlanRowsShown * table_->verticalHeader()->defaultSectionSize();
    table_->setMinimumSize(width, height);
    if (selected) {
        table_->selectRow(static_cast<int>(*selected));
    }
    UpdateStructures();
}

std::optional<size_t> CSchemeDlg::SelectedRow() const {
    const QModelIndexList chosen = table_->selectionModel()->selectedRows();
    if (chosen.isEmpty() || static_cast<size_t>(chosen.front().row()) >= rows_.size()) {
        return std::nullopt;
    }
    return static_cast<size_t>(chosen.front().row());
}

void CSchemeDlg::UpdateStructures() {
    const std::vector<StructureKind> offered = PlanStructures(Type());
    const std::optional<size_t> row = SelectedRow();
    auto builds = [this, &row](StructureKind structure) {
        return row && OpAmpCount(structure, rows_[*row].order) > 0;
    };
    for (const StructureKind structure : kStructures) {
        QRadioButton* button = structure_->Button(static_cast<int>(structure));
        button->setVisible(std::find(offered.begin(), offered.end(), structure) != offered.end());
        button->setEnabled(button->isVisibleTo(structure_) && builds(structure));
    }
    // A structure that cannot build the row gives way to the first that can.
    if (!builds(Structure())) {
        for (const StructureKind structure : offered) {
            if (builds(structure)) {
                structure_->SetIndex(static_cast<int>(structure));
                break;
            }
        }
    }
    take_->setEnabled(builds(Structure()));
}

const PlanRow& CSchemeDlg::Row() const {
    return rows_.at(SelectedRow().value());
}

StructureKind CSchemeDlg::Structure() const {
    return static_cast<StructureKind>(structure_->Index());
}

void CSchemeDlg::accept() {
    if (take_->isEnabled()) {
        QDialog::accept();
    }
}

}  // namespace vx
