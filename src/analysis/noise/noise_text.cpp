#include "analysis/noise/noise_text.h"

#include <cmath>

#include "model/input_dialog_texts.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "model/text_split.h"

namespace vx {

namespace {

std::string Volts(double v) {
    return FormatQuantity(v, "V", ValueKind::ANY);
}

std::string Hz(double f) {
    return FormatQuantity(f, "Hz", ValueKind::ANY);
}

std::string Db(double ratio) {
    return WithDecimalComma(FormatF(20.0 * std::log10(ratio), 1)) + " dB";
}

std::string SequenceName(StageSequence s) {
    return kSequenceRadios[s == StageSequence::HIGH_LEVEL ? 0 : 1];
}

const char* KindName(NoiseKind kind) {
    switch (kind) {
        case NoiseKind::RESISTOR:
            return "Widerstand";
        case NoiseKind::OPAMP_VOLTAGE:
            return "OPV-Spannungsrauschen";
        case NoiseKind::OPAMP_CURRENT:
            return "OPV-Stromrauschen";
    }
    return "";
}

double Rms(const NoiseFigures& f, NoiseKind kind) {
    double sum = 0.0;
    for (const NoiseContributor& c : f.spectrum.contributors) {
        if (c.kind == kind) {
            sum += c.rms * c.rms;
        }
    }
    return std::sqrt(sum);
}

std::string Limit(const Headroom& h) {
    return Volts(h.largestInput) + " (Stufe " + FormatInt(h.limitingStage) + ")";
}

}  // namespace

std::vector<std::string> NoiseSummaryLines(const NoiseStudy& study) {
    const NoiseFigures& f = study.chosen;
    const NoiseSpectrum& s = f.spectrum;
    std::vector<std::string> lines = {
        "Rauschband: " + Hz(s.bandLow) + " bis " + Hz(s.bandHigh),
        "Rauschen am Ausgang: " + Volts(s.rmsOutput) + " eff., auf den Eingang bezogen " +
            Volts(s.RmsInput()) + " eff.",
        "Anteile: Widerstände " + Volts(Rms(f, NoiseKind::RESISTOR)) + ", OPV-Spannungsrauschen " +
            Volts(Rms(f, NoiseKind::OPAMP_VOLTAGE)) + ", OPV-Stromrauschen " +
            Volts(Rms(f, NoiseKind::OPAMP_CURRENT)),
        "Aussteuerung der OPV-Ausgänge: ±" + Volts(f.headroom.swing),
        "Größte Eingangsamplitude: " + Limit(f.headroom),
    };
    if (std::isfinite(f.headroom.fullPowerFrequency)) {
        lines.push_back("Volle Aussteuerung ohne Begrenzung durch die Anstiegsrate bis " +
                        Hz(f.headroom.fullPowerFrequency));
    }
    return lines;
}

std::vector<std::string> StagePeakRows(const NoiseFigures& figures) {
    std::vector<std::string> rows = {
        "Stufe\tGrößte Verstärkung\tbei\tEingangsamplitude bis\tAnstiegsrate erlaubt"};
    for (const StageHeadroom& h : figures.headroom.stages) {
        rows.push_back(FormatInt(h.stage) + "\t" + Db(h.peakGain) + "\t" + Hz(h.peakFrequency) +
                       "\t" + Volts(h.largestInput) + "\t" +
                       (std::isfinite(h.slewInput) ? Volts(h.slewInput) : std::string("-")));
    }
    return rows;
}

std::vector<std::string> ContributorRows(const NoiseFigures& figures) {
    std::vector<std::string> rows = {"Bauteil\tStufe\tArt\tRauschen eff."};
    for (const NoiseContributor& c : figures.spectrum.contributors) {
        if (rows.size() > kLargestContributors || c.rms <= 0.0) {
            break;
        }
        rows.push_back(c.part + "\t" + FormatInt(c.stage) + "\t" + KindName(c.kind) + "\t" +
                       Volts(c.rms));
    }
    return rows;
}

std::vector<std::string> StageOrderRows(const NoiseStudy& study) {
    if (!study.other) {
        return {};
    }
    std::vector<std::string> rows = {"Stufenfolge\tRauschen eff.\tGrößte Eingangsamplitude"};
    for (const auto& [f, chosen] :
         {std::pair(&study.chosen, true), std::pair(&*study.other, false)}) {
        rows.push_back(SequenceName(f->sequence) + (chosen ? " (gewählt)" : "") + "\t" +
                       Volts(f->spectrum.rmsOutput) + "\t" + Limit(f->headroom));
    }
    return rows;
}

std::vector<std::vector<std::string>> TableCells(const std::vector<std::string>& rows) {
    std::vector<std::vector<std::string>> cells;
    for (const std::string& row : rows) {
        cells.push_back(SplitText(row, '\t'));
    }
    return cells;
}

std::vector<NoiseTable> NoiseTables(const NoiseStudy& study) {
    std::vector<NoiseTable> tables = {
        {"Verstärkung bis zu den OPV-Ausgängen", TableCells(StagePeakRows(study.chosen))},
        {"Größte Rauschbeiträge", TableCells(ContributorRows(study.chosen))}};
    if (study.other) {
        tables.push_back({"Beide Stufenfolgen", TableCells(StageOrderRows(study))});
    }
    return tables;
}

std::vector<std::string> NoiseReportLines(const NoiseStudy& study) {
    std::vector<std::string> lines = {kNoiseTitle};
    for (const std::string& line : NoiseSummaryLines(study)) {
        lines.push_back(line);
    }
    for (const NoiseTable& table : NoiseTables(study)) {
        lines.emplace_back();
        lines.push_back(table.heading);
        for (const std::vector<std::string>& row : table.cells) {
            std::string line;
            for (const std::string& cell : row) {
                line += (line.empty() ? "" : "\t") + cell;
            }
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::string NoiseProgressLine(int percent) {
    // As short as the tolerance analysis's line, which the dialog is wide enough for at any
    // display scale.
    return std::string(kNoiseTitle) + ": " + FormatInt(percent) + " %";
}

std::string NoiseCsv(const NoiseSpectrum& s) {
    std::string text = "frequency_hz,total,resistors,opamp_voltage,opamp_current";
    for (size_t i = 0; i < s.stageGains.size(); ++i) {
        text += ",stage" + FormatInt(static_cast<long long>(i) + 1) + "_out";
    }
    text += "\n";
    for (size_t k = 0; k < s.frequencies.size(); ++k) {
        text.append(FormatG(s.frequencies[k], 8));
        for (const std::vector<double>* v :
             {&s.total, &s.resistors, &s.opAmpVoltage, &s.opAmpCurrent}) {
            text.push_back(',');
            text.append(FormatG((*v)[k], 8));
        }
        for (const std::vector<double>& g : s.stageGains) {
            text.push_back(',');
            text.append(FormatG(g[k], 8));
        }
        text.push_back('\n');
    }
    return text;
}

}  // namespace vx
