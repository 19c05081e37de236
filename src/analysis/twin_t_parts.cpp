#include "analysis/twin_t_parts.h"

namespace vx {

namespace {

using C = ComponentSlot;

}  // namespace

CTwinTParts::CTwinTParts(const CFilter& filter) {
    auto resistor = [&](C component, int realisation) -> Element {
        const double stored = filter.Value(component, 0);
        const Realisation& r = filter.GetRealisation(realisation);
        switch (r.kind) {
            case RealisationKind::PARALLEL:
                return Add(component, stored, Joint::PARALLEL_RESISTORS, {r.first, r.second},
                           false);
            case RealisationKind::SERIES:
                return Add(component, stored, Joint::SUM, {r.first, r.second}, false);
            case RealisationKind::SINGLE:
                break;
        }
        return Add(component, stored, Joint::ONE, {stored}, false);
    };
    r1a_ = resistor(C::R1, 0);
    r1b_ = resistor(C::R1, 0);
    r2_ = resistor(C::R2, 1);
    const double c1 = filter.Value(C::C1, 0);
    c1a_ = Add(C::C1, c1, Joint::ONE, {c1}, true);
    c1b_ = Add(C::C1, c1, Joint::ONE, {c1}, true);
    const double c2 = filter.Value(C::C2, 0);
    c2_ = Add(C::C2, c2, Joint::SUM, {c2 / 2.0, c2 / 2.0}, true);
    for (auto [component, element] : {std::pair{C::R3, &r3_}, std::pair{C::R4, &r4_}}) {
        const double stored = filter.Value(component, 0);
        *element = IsRealPart(stored) ? Add(component, stored, Joint::ONE, {stored}, false)
                                      : Element{stored, Joint::ONE, {}};
    }
}

CTwinTParts::Element CTwinTParts::Add(ComponentSlot component, double stored, Joint joint,
                                      std::initializer_list<double> nominals, bool capacitor) {
    Element element{stored, joint, {}};
    for (double nominal : nominals) {
        element.parts.push_back(parts_.size());
        parts_.push_back({0, component, capacitor, nominal});
    }
    return element;
}

double CTwinTParts::Value(const Element& e, std::span<const double> values) const {
    if (e.parts.empty()) {
        return e.stored;
    }
    auto joined = [&](auto value) {
        switch (e.joint) {
            case Joint::ONE:
                return value(0);
            case Joint::PARALLEL_RESISTORS:
                return value(0) * value(1) / (value(0) + value(1));
            case Joint::SUM:
                return value(0) + value(1);
        }
        return value(0);
    };
    const double now = joined([&](size_t i) { return values[e.parts[i]]; });
    const double nominal = joined([&](size_t i) { return parts_[e.parts[i]].nominal; });
    return e.stored * (now / nominal);
}

TwinTNetwork CTwinTParts::Network(std::span<const double> v) const {
    return {Value(c1a_, v), Value(c1b_, v), Value(c2_, v), Value(r1a_, v),
            Value(r1b_, v), Value(r2_, v),  Value(r3_, v), Value(r4_, v)};
}

}  // namespace vx
