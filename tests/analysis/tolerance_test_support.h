#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "session/design_session.h"
#include "session/stored_capacitor_prompt.h"

namespace vx::test {

// A session that has designed one of the shipped examples.
inline std::unique_ptr<CDesignSession> DesignedExample(const std::string& name) {
    auto session = std::make_unique<CDesignSession>();
    SilentMonitor monitor;
    StoredCapacitorPrompt prompt;
    const LoadResult loaded = session->LoadAndDesign(
        std::filesystem::path(VX_SOURCE_DIR) / "examples" / (name + ".vxs"), monitor, prompt);
    EXPECT_EQ(loaded.outcome, LoadOutcome::DESIGNED) << name;
    return session;
}

// The shipped examples, one or more per structure.
inline const char* const kExamples[] = {
    "sk_lowpass_gain",        "sk_lowpass_chebyshev", "sk_lowpass_entered", "sk_highpass",
    "sk_highpass_individual", "skx_lowpass",          "skx_highpass",       "mfb_lowpass",
    "mfb_highpass",           "mfb_bandpass",         "twin_t_bandstop"};

}  // namespace vx::test
