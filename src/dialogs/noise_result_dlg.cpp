#include "dialogs/noise_result_dlg.h"

#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <iterator>
#include <string>
#include <vector>

#include "analysis/noise/noise_text.h"
#include "dialogs/copy_shortcut.h"
#include "dialogs/dialog_parts.h"
#include "qt/qt_text.h"

namespace vx {

namespace {

// The tables in the order of NoiseTables, named for the tests.
constexpr const char* kTableNames[] = {"peakTable", "contributorTable", "orderTable"};

}  // namespace

CNoiseResultDlg::CNoiseResultDlg(const NoiseStudy& study, QWidget* parent) : QDialog(parent) {
    setObjectName("noiseResultDlg");
    setWindowTitle(Qs(kNoiseResultTitle));

    auto* layout = new QVBoxLayout(this);
    auto* summary = new QGroupBox(Qs(kNoiseTitle), this);
    auto* summaryLayout = new QVBoxLayout(summary);
    const std::vector<std::string> lines = NoiseSummaryLines(study);
    for (size_t i = 0; i < lines.size(); ++i) {
        auto* label = new QLabel(Qs(lines[i]), summary);
        label->setObjectName("summaryLine" + QString::number(i));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        summaryLayout->addWidget(label);
    }
    layout->addWidget(summary);

    const std::vector<NoiseTable> tables = NoiseTables(study);
    for (size_t i = 0; i < tables.size() && i < std::size(kTableNames); ++i) {
        auto* group = new QGroupBox(Qs(tables[i].heading), this);
        // Every contributor the core lists shows without scrolling.
        (new QVBoxLayout(group))
            ->addWidget(ReadOnlyTable(tables[i].cells, kTableNames[i], group,
                                      static_cast<int>(kLargestContributors)));
        layout->addWidget(group);
    }
    layout->addWidget(OkButton(this));

    std::string text;
    for (const std::string& line : NoiseReportLines(study)) {
        text += line + "\n";
    }
    AddCopyShortcut(this, Qs(text));
}

}  // namespace vx
