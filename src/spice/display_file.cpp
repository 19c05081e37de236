#include "spice/display_file.h"

#include <vector>

#include "model/number_format.h"
#include "spice/pspice.h"

namespace vx {

namespace {

struct Trace {
    const char* name;
    const char* unit;
};

std::vector<Trace> TracesOf(SpiceMode mode) {
    switch (mode) {
        case SpiceMode::AMPLITUDE_DB:
            return {{"VDB(0UT)", " "}};
        case SpiceMode::AMPLITUDE_LINEAR:
            return {{"V(0UT)", " "}};
        case SpiceMode::PHASE:
            return {{"VP(0UT)", "d"}};
        case SpiceMode::GROUP_DELAY:
            return {{"VG(0UT)", "s"}};
        case SpiceMode::STEP_RESPONSE:
            return {{"V(0UT)", "V"}};
        case SpiceMode::ALL:
            return {{"VG(0UT)", "s"}, {"VP(0UT)", "d"}, {"VDB(0UT)", " "}};
    }
    return {};
}

void Grids(std::string& out) {
    out +=
        "BEGIN GRIDS\nAUTOMATIC\nMAJORNUMBERS\nMAJORSTYLE LINES\nMAJORPATTERN SOLID\n"
        "MINORSTYLE LINES\nMINORPATTERN DOT\nEND GRIDS\n";
}

}  // namespace

std::string DisplayFileText(SpiceMode mode, double f1, double f2) {
    const bool ac = mode != SpiceMode::STEP_RESPONSE;
    const std::string analysis = ac ? "ANALYSIS AC_SWEEP\n" : "ANALYSIS TRANSIENT_ANALYSIS\n";
    std::string out = "[DISPLAYS]\nBEGIN DISPLAY LAST SESSION\n" + analysis +
                      "SYMBOL AUTO\nTRACECOLORSCHEME NORMAL\n";
    const std::vector<Trace> traces = TracesOf(mode);
    for (size_t k = 0; k < traces.size(); ++k) {
        const std::string n = FormatInt(static_cast<long long>(k + 1));
        out += "BEGIN ANAPLOT " + n + "\n";
        if (k + 1 == traces.size()) {
            out += "ACTIVE\n";
        }
        if (k == 0) {
            out += "XBASE\n";
        }
        out += "BEGIN XAXIS\n";
        out += ac ? "TEXT Frequency\nRANGEFLAG MANUAL\nTYPE LOG\nUNIT H\n"
                  : "TEXT Time\nRANGEFLAG AUTO\nTYPE LINEAR\nUNIT s\n";
        Grids(out);
        if (ac) {
            out += "REFMIN " + FormatG(f1) + "\nREFMAX " + FormatG(f2) + "\nREFUNIT H\n";
        }
        out += "END XAXIS\nBEGIN YAXIS 1\nACTIVE\nRANGEFLAG AUTO\nTYPE LINEAR\n";
        out += std::string("UNIT ") + traces[k].unit + "\n";
        Grids(out);
        out += std::string("BEGIN TRACE ") + traces[k].name + "\nMARKERID 0\nEND TRACE " +
               traces[k].name + "\nEND YAXIS 1\nEND ANAPLOT " + n + "\n";
    }
    out += "END DISPLAY LAST SESSION\nBEGIN DISPLAY LAST DISPLAY\n" + analysis +
           "SYMBOL ALWAYS\nTRACECOLORSCHEME NORMAL\nBEGIN ANAPLOT 1\nACTIVE\nXBASE\nBEGIN XAXIS\n";
    out += ac ? "TEXT Frequency\nRANGEFLAG AUTO\nTYPE LOG\nUNIT H\n"
              : "TEXT Time\nRANGEFLAG AUTO\nTYPE LINEAR\nUNIT s\n";
    Grids(out);
    out +=
        "END XAXIS\nBEGIN YAXIS 1\nACTIVE\nRANGEFLAG NORANGE\nTYPE LINEAR\nUNIT  \n"
        "END YAXIS 1\nEND ANAPLOT 1\n";
    return out;
}

}  // namespace vx
