#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "recorded_designs.h"

namespace vx {
namespace {

// Stored values of the recorded designs, bit for bit (hexadecimal floating point), recorded before
// the design engine was restructured. A change here must be a deliberate change of results.
const std::map<std::string, std::vector<double>>& Recorded() {
    static const std::map<std::string, std::vector<double>> table = {
        {"mfb_bandpass",
         {0x1.387ffffffffffp+13, 0x1.0ep+8, 0x1.8e7p+15, 0x1.93ba17cf90b2ap-25,
          0x1.93ba17cf90b2ap-25, 0x1.57cp+13, 0x1.0ep+8, 0x1.b57ffffffffffp+15,
          0x1.4f01e82ef5585p-25, 0x1.4f01e82ef5585p-25, 0x1.4p+3, 0x1p+1}},
        {"mfb_highpass",
         {0x1.1c6p+13, 0x1.5af1d78b58c4p+67, 0x1.602ff4171c2eep-24, 0x1.e1094d643f785p-25,
          0x1.5af1d78b58c4p+67, 0x1.d4bfffffffffep+16, 0x1.57bffffffffffp+13, 0x1.353cd652bb167p-26,
          0x1.9c511dc3a41dcp-27, 0x1.353cd652bb167p-26, 0x1.815182a9930bep+2, 0x1p+1}},
        {"mfb_lowpass",
         {0x1.964p+13, 0x1.1c6p+13, 0x1.07acp+18, 0x1.49da7e361ce4cp-33, 0x1.0c01868bf779dp-28,
          0x1.964p+13, 0x1.1c6p+13, 0x1.5ep+12, 0x1.2e5d9e5c4527p-29, 0x1.5798ee2308c3bp-27,
          -0x1.8p+2, 0x1p+1}},
        {"sk_highpass",
         {0x1.25cp+12, 0x1.5af1d78b58c4p+67, 0x1.d87247702c0cep-23, 0x1.5af1d78b58c4p+67,
          0x1.30bp+15, 0x1.25cp+12, 0x1.79f505f35670ep-26, 0x1.6255b5942109dp-22, 0x0p+0, 0x1p+1}},
        {"sk_highpass_individual",
         {0x1.a8fffffffffffp+12, 0x1.388p+13, 0x1.388p+13, 0x1.388p+13, 0x1.9c511dc3a41ep-27,
          0x1.9c511dc3a41ep-27, 0x1.387ffffffffffp+14, 0x1.388p+13, 0x1.3ecp+12, 0x1.388p+13,
          0x1.42fb463fa6f55p-28, 0x1.42fb463fa6f55p-28, 0x1.315b8bac710cbp+3, 0x1p+1}},
        {"sk_lowpass_chebyshev",
         {0x1.003ffffffffffp+13, 0x1.518p+11, 0x1.6ad6be0852fbap-32, 0x1.1b77c47680d4ap-25,
          0x1.004p+13, 0x1.01dp+15, 0x1.02629e99525dbp-31, 0x1.0c01868bf779dp-28, 0x1.388p+13,
          0x0p+0, 0x1.42fb463fa6f55p-28, 0x0p+0, 0x0p+0, 0x1p+1}},
        {"sk_lowpass_entered",
         {0x1.d4cp+12, 0x1.d4cp+13, 0x1.5798ee2308c3ap-27, 0x1.79f505f35670cp-26, 0x0p+0, 0x1p+1}},
        {"sk_lowpass_gain",
         {0x1.1c6p+13, 0x1.e46p+15, 0x1.837ffffffffffp+12, 0x1.d4bffffffffffp+13,
          0x1.42fb463fa6f54p-28, 0x1.5798ee2308c3bp-27, 0x1.387ffffffffffp+14, 0x1.388p+13,
          0x1.837ffffffffffp+12, 0x1.d4bffffffffffp+13, 0x1.19bff678e358ap-27,
          0x1.01b2b29a4692ap-26, 0x1.8p+2, 0x1p+1}},
        {"skx_highpass",
         {0x1.004p+13, 0x1.387ffffffffffp+13, 0x1.09ap+16, 0x1.21e908ed8f651p-22,
          0x1.cfdb417c18a1ap-26, 0x1.21e908ed8f65p-22, 0x0p+0, 0x1p+1}},
        {"skx_lowpass",
         {0x1.388p+13, 0x1.3ecp+12, 0x1.4ffp+15, 0x1.3ecp+12, 0x1.3ecp+12, 0x1.19bff678e358bp-27,
          0x1.33dcfe54a3802p-31, 0x1.c58c6d8a67ba8p-29, 0x1.8p+2, 0x1p+1}},
        {"twin_t_bandstop",
         {0x1.2d6f170670af4p+13, 0x1.2d6ee3669fe38p+12, 0x1.0dfffffffffffp+12, 0x1.68p+12,
          0x1.6255b5942109dp-22, 0x1.6255b5942109dp-21, 0x1p+0, 0x1.92d4fffffffffp+19, 0x1.31p+13,
          0x1.2d6f170670af4p+13, 0x1p+0, 0x1.e74dfffffffffp+18, 0x1.306p+12, 0x1.2d6ee3669fe38p+12,
          0x1.3716b531f4dap+2, 0x1p+1}},
        {"SkLowPassOdd",
         {0x1.0ccp+12,
          0x0p+0,
          0x1.9p+10,
          0x1.838p+12,
          0x1.01b2b29a4692bp-26,
          0x0p+0,
          0x1.25cp+12,
          0x1.9ap+9,
          0x1.2cp+10,
          0x1.25cp+12,
          0x1.cfdb417c18a1ap-26,
          0x1.4f01e82ef5586p-25,
          0x1.c1fffffffffffp+11,
          0x1.9c8p+11,
          0x1.2cp+10,
          0x1.25cp+12,
          0x1.5798ee2308c39p-27,
          0x1.1b77c47680d4ap-25,
          0x1.8p+2,
          0x1p+1}},
        {"SkLowPassEnteredOdd",
         {0x1.25cp+12, 0x0p+0, 0x1.5798ee2308c3cp-27, 0x0p+0, 0x1.77p+13, 0x1.25cp+12,
          0x1.0c01868bf779ep-28, 0x1.19bff678e358bp-27, 0x0p+0, 0x1p+1}},
        {"SkLowPassByQ",
         {0x1.22p+12, 0x1.eap+10, 0x1.c83ffffffffffp+11, 0x1.a68p+10, 0x1.e1094d643f783p-25,
          0x1.79f505f35670cp-26, 0x1.3f6p+12, 0x1.568p+11, 0x0p+0, 0x1.5af1d78b58c4p+66,
          0x1.7315cdfce0815p-29, 0x1.ad7f29abcaf4ap-24, 0x1.4p+3, 0x1p+1}},
        {"SkLowPassLowNoise",
         {0x1.9c7ffffffffffp+11,
          0x1.77p+10,
          0x0p+0,
          0x1.5af1d78b58c4p+66,
          0x1.d34add7753997p-28,
          0x1.1b77c47680d4ap-25,
          0x1.25cp+12,
          0x1.6f3p+15,
          0x0p+0,
          0x1.5af1d78b58c4p+66,
          0x1.49da7e361ce4cp-30,
          0x1.80d43de9cc603p-28,
          0x1.e78p+11,
          0x1.194p+14,
          0x1.9c8p+11,
          0x1.004p+13,
          0x1.0c01868bf779dp-28,
          0x1.80d43de9cc602p-28,
          0x1.8p+1,
          0x1p+1}},
        {"SkHighPassOdd",
         {0x1.3ebffffffffffp+12,
          0x1.5af1d78b58c4p+67,
          0x1.2cp+10,
          0x1.25cp+12,
          0x1.42fb463fa6f56p-28,
          0x1.5af1d78b58c4p+67,
          0x1.d4cp+14,
          0x1.3ecp+12,
          0x1.9p+10,
          0x1.838p+12,
          0x1.19bff678e358cp-27,
          0x1.9c511dc3a41ep-30,
          0x1.194p+14,
          0x1.25cp+12,
          0x1.9p+10,
          0x1.838p+12,
          0x1.7315cdfce0814p-29,
          0x1.353cd652bb166p-26,
          0x1.8p+2,
          0x1p+1}},
        {"SkHighPassEntered",
         {0x1.e78p+11, 0x1.7da3a04c7b3ep+67, 0x1.f4p+9, 0x1.004p+13, 0x1.01b2b29a4692bp-26,
          0x1.5af1d78b58c4p+67, 0x1.77p+13, 0x1.25cp+12, 0x1.f4p+9, 0x1.004p+13,
          0x1.19bff678e358cp-27, 0x1.19bff678e358cp-27, 0x1p+1, 0x1p+1}},
        {"SkxLowPass",
         {0x1.25cp+12, 0x1.518p+11, 0x1.194p+14, 0x1.13p+11, 0x1.13p+11, 0x1.79f505f35670bp-26,
          0x1.2e5d9e5c4527p-29, 0x1.d34add7753996p-28, 0x1.8p+2, 0x1p+1}},
        {"SkxLowPassEqual",
         {0x1.0ccp+12, 0x1.fep+8, 0x1.54p+9, 0x1.518p+11, 0x1.c2p+10, 0x1.4f01e82ef5585p-25,
          0x1.4f01e82ef5585p-25, 0x1.4f01e82ef5585p-25, 0x1p+3, 0x1p+1}},
        {"SkxLowPassEntered",
         {0x1.25cp+12, 0x1.c2p+11, 0x1.3ecp+12, 0x1.79f505f35670cp-26, 0x1.0c01868bf779fp-28,
          0x1.93ba17cf90b2cp-25, 0x0p+0, 0x1p+1}},
        {"SkxHighPass",
         {0x1.e78p+11, 0x1.194p+14, 0x1.405p+16, 0x1.353cd652bb166p-26, 0x1.49da7e361ce4ap-30,
          0x1.2e5d9e5c45271p-29, 0x0p+0, 0x1p+1}},
        {"SkxHighPassEqual",
         {0x1.e77fffffffffep+11, 0x1.77p+10, 0x1.f4p+9, 0x1.13p+11, 0x1.13p+11,
          0x1.602ff4171c2edp-24, 0x1.602ff4171c2edp-24, 0x1.602ff4171c2edp-24, 0x1.8p+2, 0x1p+1}},
        {"SkxHighPassEntered",
         {0x1.25cp+12, 0x1.25cp+12, 0x1.5ep+12, 0x1.f4p+10, 0x1.25cp+12, 0x1.353cd652bb167p-26,
          0x1.353cd652bb16ap-26, 0x1.353cd652bb16ap-26, 0x1.8p+1, 0x1p+1}},
        {"MfbLowPassOdd",
         {0x1.3ecp+12, 0x1.837ffffffffffp+12, 0x0p+0, 0x1.5798ee2308c3bp-27, 0x0p+0, 0x1.25cp+12,
          0x1.838p+12, 0x1.5ep+12, 0x1.80d43de9cc604p-28, 0x1.79f505f35670dp-26,
          0x1.76fffffffffffp+11, 0x1.e78p+11, 0x1.d6p+8, 0x1.19bff678e358bp-27,
          0x1.21e908ed8f65p-22, 0x1.8p+2, 0x1p+1}},
        {"MfbLowPassFirstOrder",
         {0x1.70cp+12, 0x1.725p+14, 0x0p+0, 0x1.7315cdfce0815p-29, 0x0p+0, 0x1.8p+3, 0x1p+1}},
        {"MfbLowPassEntered",
         {0x1.0ccp+12, 0x1.9c8p+11, 0x0p+0, 0x1.9c511dc3a41dep-27, 0x0p+0, 0x1.1c6p+13, 0x1.d4cp+12,
          0x1.f4p+10, 0x1.d34add7753997p-28, 0x1.353cd652bb167p-26, 0x1.5ep+12, 0x1.0ccp+12,
          0x1.77p+11, 0x1.0c01868bf779dp-28, 0x1.cfdb417c18a1bp-26, -0x1.8p+2, 0x1p+1}},
        {"MfbHighPassOdd",
         {0x1.3ecp+12, 0x1.5af1d78b58c4p+67, 0x1.5798ee2308c39p-27, 0x1.42fb463fa6f56p-28,
          0x1.5af1d78b58c4p+67, 0x1.24f8p+18, 0x1.3ecp+12, 0x1.42fb463fa6f55p-28,
          0x1.9c511dc3a41ep-30, 0x1.c2ccbd8e388dfp-31, 0x1.4c08p+19, 0x1.25bffffffffffp+12,
          0x1.8bd2fdda89129p-33, 0x1.33dcfe54a3804p-31, 0x1.2e5d9e5c45271p-29, 0x1.8p+2, 0x1p+1}},
        {"MfbHighPassEntered",
         {0x1.e78p+11, 0x1.5af1d78b58c4p+67, 0x1.01b2b29a4692bp-26, 0x1.01b2b29a4692bp-26,
          0x1.5af1d78b58c4p+67, 0x1.30affffffffffp+15, 0x1.25bffffffffffp+12, 0x1.42fb463fa6f55p-28,
          0x1.42fb463fa6f56p-28, 0x1.42fb463fa6f55p-28, 0x0p+0, 0x1p+1}},
        {"BpMfb",
         {0x1.0cbffffffffffp+12, 0x1.fp+5, 0x1.f3fffffffffffp+13, 0x1.240eca6a943fep-24,
          0x1.240eca6a943fep-24, 0x1.25cp+12, 0x1.6cp+6, 0x1.193ffffffffffp+14,
          0x1.93ba17cf90b2cp-25, 0x1.93ba17cf90b2cp-25, 0x1.8p+2, 0x1p+1}},
        {"BpMfbOddPrototype",
         {0x1.306p+12, 0x1.9ap+7, 0x1.242ffffffffffp+14, 0x1.1b77c47680d4ap-25,
          0x1.1b77c47680d4ap-25, 0x1.22p+12, 0x1.039999999999ap+6, 0x1.57cp+13,
          0x1.240eca6a943fep-24, 0x1.240eca6a943fep-24, 0x1.22p+12, 0x1.fcp+6, 0x1.7a2p+13,
          0x1.e1094d643f783p-25, 0x1.e1094d643f783p-25, 0x1.8p+1, 0x1p+1}},
        {"BpMfbStepless",
         {0x1.25cp+12, 0x1.d292910e1901cp+5, 0x1.193ffffffffffp+14, 0x1.240eca6a943fep-24,
          0x1.240eca6a943fep-24, 0x1.25cp+12, 0x1.91ba84ad07e41p+5, 0x1.d4cp+13,
          0x1.240eca6a943fep-24, 0x1.240eca6a943fep-24, 0x0p+0, 0x1p+1}},
        {"BpMfbGainReduced",
         {0x1.25cp+12, 0x1.6378p+16, 0x1.6e35fffffffffp+20, 0x1.c2ccbd8e388e1p-31,
          0x1.c2ccbd8e388e1p-31, 0x1.3ecp+12, 0x1.5af1d78b58c4p+66, 0x1.6e36p+20,
          0x1.75d57df90fadfp-31, 0x1.75d57df90fadfp-31, 0x1.46f87bce7b384p+6, 0x1p+1}},
        {"BpMfbEntered",
         {0x1.25cp+12, 0x1.6cp+6, 0x1.57cp+13, 0x1.240eca6a943fep-24, 0x1.240eca6a943fep-24,
          0x1.0ccp+12, 0x1.1p+6, 0x1.57cp+13, 0x1.240eca6a943fep-24, 0x1.240eca6a943fep-24, 0x0p+0,
          0x1p+1}},
        {"TwinT",
         {0x1.094b0bde9cadbp+12, 0x1.09p+11, 0x1.2bfffffffffffp+11, 0x1.518p+11,
          0x1.01b2b29a4692bp-26, 0x1.01b2b29a4692bp-25, 0x1p+0, 0x1.4244p+18, 0x1.0ccp+12,
          0x1.094b0bde9cadbp+12, 0x1p+1, 0x1.f4p+10, 0x1.ep+6, 0x1.09p+11, 0x1.5d710e8c66981p+2,
          0x1p+1}},
        {"TwinTFollower",
         {0x1.09429da94707p+12, 0x1.0943333333333p+11, 0x0p+0, 0x1.5af1d78b58c4p+66,
          0x1.01b2b29a4692bp-26, 0x1.01b2b29a4692bp-25, 0x1p+0, 0x1.432p+12, 0x1.724ffffffffffp+14,
          0x1.09429da94707p+12, 0x1p+1, 0x1.068p+11, 0x1.619999999999ap+4, 0x1.0943333333333p+11,
          0x0p+0, 0x1p+1}},
        {"TwinTHighQ",
         {0x1.09406c5e663b1p+12, 0x1.0943333333333p+11, 0x1.eap+10, 0x1.f4p+10,
          0x1.01b2b29a4692bp-26, 0x1.01b2b29a4692bp-25, 0x1p+0, 0x1.572p+12, 0x1.242ffffffffffp+14,
          0x1.09406c5e663b1p+12, 0x1p+1, 0x1.068p+11, 0x1.619999999999ap+4, 0x1.0943333333333p+11,
          0x1.7bbb3fe22caap+2, 0x1p+1}},
    };
    return table;
}

void ExpectRecorded(const std::string& name, const std::vector<double>& designed) {
    const auto it = Recorded().find(name);
    ASSERT_NE(it, Recorded().end()) << name << " has no recorded values";
    const std::vector<double>& recorded = it->second;
    ASSERT_EQ(designed.size(), recorded.size()) << name;
    for (size_t i = 0; i < recorded.size(); ++i) {
        EXPECT_EQ(designed[i], recorded[i]) << name << ", value " << i;
    }
}

class RecordedExample : public testing::TestWithParam<std::string> {};

TEST_P(RecordedExample, DesignsToTheRecordedValues) {
    ExpectRecorded(GetParam(), test::DesignExample(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(EveryExample, RecordedExample, testing::ValuesIn(test::ExampleFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

class RecordedSpecification : public testing::TestWithParam<test::RecordedSpec> {};

TEST_P(RecordedSpecification, DesignsToTheRecordedValues) {
    ExpectRecorded(GetParam().name, test::DesignRecorded(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(EveryStructure, RecordedSpecification,
                         testing::ValuesIn(test::RecordedSpecs()),
                         [](const testing::TestParamInfo<test::RecordedSpec>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vx
