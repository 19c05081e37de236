#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>

#include "../support/deadline.h"
#include "search_cases.h"
#include "session/design_session.h"

namespace vx {
namespace {

struct Design {
    DesignState state;
    std::vector<unsigned long long> bits;
    std::vector<double> filterCurve;
};

Design DesignWith(const test::SearchCase& c, const SearchOptions& options) {
    CDesignSession session;
    session.SetSearchOptions(options);
    test::PrepareCase(session, c);
    SilentMonitor monitor;
    EXPECT_TRUE(session.Design(monitor));
    Design d{session.Filter().GetDesignState(), test::StoredBits(session.Filter()), {}};
    for (int i = 0; i < session.Curves().filter.Count(); ++i) {
        d.filterCurve.push_back(session.Curves().filter.At(i));
    }
    return d;
}

class FastSearch : public testing::TestWithParam<test::SearchCase> {};

// Blocks on several threads, pruning and the grid constants must not change a single bit: the
// winner is the first candidate with the smallest error, as in the straightforward search.
TEST_P(FastSearch, StoresExactlyTheValuesOfTheStraightforwardSearch) {
    const Design reference = DesignWith(GetParam(), SearchOptions::Straightforward());
    ASSERT_EQ(reference.state, DesignState::DESIGNED);
    for (const SearchOptions options :
         {SearchOptions{1, true}, SearchOptions{2, true}, SearchOptions{4, true}}) {
        SCOPED_TRACE(testing::Message()
                     << options.threads << " threads, pruning " << options.pruning);
        const Design fast = DesignWith(GetParam(), options);
        EXPECT_EQ(fast.state, reference.state);
        EXPECT_EQ(fast.bits, reference.bits);
        EXPECT_EQ(fast.filterCurve, reference.filterCurve);
    }
}

std::string CaseName(const testing::TestParamInfo<test::SearchCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(EveryStructure, FastSearch, testing::ValuesIn(test::SearchCases()),
                         CaseName);
// A reduced form of the benchmark's sweep of third-order designs.
INSTANTIATE_TEST_SUITE_P(ThirdOrderSweep, FastSearch,
                         testing::ValuesIn(test::ThirdOrderSweepCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(ScreenedLines, FastSearch, testing::ValuesIn(test::ScreenedLineCases()),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(EveryCombination, FastSearch,
                         testing::ValuesIn(test::EveryCombinationCases()), CaseName);

// Reports progress to the test and takes a cancel request from it.
class RemoteControl final : public DesignMonitor {
  public:
    void Report(const DesignProgress& progress) override {
        if (cancel.load()) {
            ++reportsAfterCancel;
        }
        if (progress.percent > 0 && progress.percent < 100) {
            midSearch.store(true);
        }
    }
    bool CancelRequested() override { return cancel.load(); }

    std::atomic<bool> midSearch{false};
    std::atomic<bool> cancel{false};
    std::atomic<int> reportsAfterCancel{0};
};

const test::SearchCase& CaseNamed(const std::string& name) {
    for (const test::SearchCase& c : test::SearchCases()) {
        if (name == c.name) {
            return c;
        }
    }
    throw std::invalid_argument("no search case " + name);
}

TEST(FastSearch, CancelFromAnotherThreadStopsALongSearch) {
    // The third-order E192 search (straightforward for a minute) is cancelled from the test's
    // thread once its progress has shown up part way through.
    for (const auto& [options, search] :
         {std::pair{SearchOptions{2, true}, SearchMethod::NEIGHBOURS},
          std::pair{SearchOptions::Straightforward(), SearchMethod::NEIGHBOURS},
          std::pair{SearchOptions{2, true}, SearchMethod::EXHAUSTIVE},
          std::pair{SearchOptions::Straightforward(), SearchMethod::EXHAUSTIVE}}) {
        SCOPED_TRACE(testing::Message()
                     << options.threads << " threads, search " << static_cast<int>(search));
        CDesignSession session;
        test::SearchCase c = CaseNamed("ThirdOrderLowPass");
        c.series = ResistorSeries::E192;
        c.search = search;
        test::PrepareCase(session, c);
        session.SetSearchOptions(options);
        RemoteControl monitor;
        std::atomic<bool> ended{false};
        test::RunWithDeadline("a cancelled design", std::chrono::seconds(300), [&] {
            std::thread design([&] {
                session.Design(monitor);
                ended.store(true);
            });
            while (!monitor.midSearch.load() && !ended.load()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            monitor.cancel.store(true);
            design.join();
        });
        ASSERT_TRUE(monitor.midSearch.load()) << "the search ended before it showed progress";
        EXPECT_EQ(session.Filter().GetDesignState(), DesignState::CANCELLED);
        EXPECT_EQ(session.Filter().Value(ComponentSlot::R2, 0), 0.0);  // the stage was not stored
        // The search stops at its next look at the monitor, not at the end of its rounds.
        EXPECT_LE(monitor.reportsAfterCancel.load(), 10);
    }
}

}  // namespace
}  // namespace vx
