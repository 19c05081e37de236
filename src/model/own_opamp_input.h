#pragma once

#include <string>
#include <variant>

#include "model/opamp_data.h"
#include "model/opv.h"
#include "model/user_message.h"

// An own op-amp model as the user enters it, in the window's form or on the command line: each
// field a text, numbers with unit prefixes ("10M", "1,5"); an empty field is a figure the user
// does not know, but the name and the gain-bandwidth product are needed.
namespace vx {

struct OwnOpAmpInput {
    std::string name;
    std::string maker;
    std::string dcGainDb;
    std::string gbw;                 // Hz
    std::string phaseMargin;         // degrees
    std::string slewRate;            // V/us
    std::string voltageNoise;        // nV/rtHz
    std::string voltageNoiseCorner;  // Hz
    std::string currentNoise;        // pA/rtHz
    std::string currentNoiseCorner;  // Hz
    std::string supplyMin;           // V
    std::string supplyMax;
    std::string swingToRail;  // V
    std::string railToRail;   // "", "in", "out", "in/out"
    std::string source;
};

// The field names the messages use.
namespace own_opamp {
inline constexpr const char* kName = "Name";
inline constexpr const char* kMaker = "Hersteller";
inline constexpr const char* kDcGain = "Leerlaufverstärkung A0 in dB";
inline constexpr const char* kGbw = "Verstärkungs-Bandbreite-Produkt in Hz";
inline constexpr const char* kPhaseMargin = "Phasenreserve in Grad";
inline constexpr const char* kSlewRate = "Anstiegsrate in V/µs";
inline constexpr const char* kVoltageNoise = "Spannungsrauschen in nV/√Hz";
inline constexpr const char* kVoltageNoiseCorner = "Eckfrequenz des Spannungsrauschens in Hz";
inline constexpr const char* kCurrentNoise = "Stromrauschen in pA/√Hz";
inline constexpr const char* kCurrentNoiseCorner = "Eckfrequenz des Stromrauschens in Hz";
inline constexpr const char* kSupplyMin = "Kleinste Versorgungsspannung in V";
inline constexpr const char* kSupplyMax = "Größte Versorgungsspannung in V";
inline constexpr const char* kSwing = "Abstand des Ausgangs von der Versorgung in V";
inline constexpr const char* kRailToRail = "Rail-to-Rail";
inline constexpr const char* kSource = "Quelle";
}  // namespace own_opamp

// The fields of a model (for changing it).
OwnOpAmpInput InputOf(const OpAmpData& data);

// The model the fields describe, or the message naming the first faulty field. A name the list
// `known` holds is refused, unless it is `replacing` (the own model being changed).
std::variant<OpAmpData, UserMessage> ReadOwnOpAmp(const OwnOpAmpInput& input, const COpv& known,
                                                  const std::string& replacing = "");

// ReadOwnOpAmp's message with the field it is about, for a form that focuses it.
struct OwnOpAmpError {
    UserMessage message;
    std::string OwnOpAmpInput::*field;
};
std::variant<OpAmpData, OwnOpAmpError> CheckOwnOpAmp(const OwnOpAmpInput& input, const COpv& known,
                                                     const std::string& replacing = "");

// The own model `name` cannot be removed: it is not one of the user's own ("Der
// Operationsverstärker ... ist kein eigenes Modell").
UserMessage NotOwnOpAmpMessage(const std::string& name);
// The design shown uses it.
UserMessage OpAmpInUseMessage(const std::string& name);

}  // namespace vx
