#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "search_cases.h"
#include "structures/design_session.h"

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

INSTANTIATE_TEST_SUITE_P(EveryStructure, FastSearch, testing::ValuesIn(test::SearchCases()),
                         [](const testing::TestParamInfo<test::SearchCase>& info) {
                             return std::string(info.param.name);
                         });

// Reports progress to the test and takes a cancel request from it.
class RemoteControl final : public DesignMonitor {
  public:
    void Report(const DesignProgress& progress) override {
        if (progress.percent > 0 && progress.percent < 100) {
            midSearch.store(true);
        }
    }
    bool CancelRequested() override { return cancel.load(); }

    std::atomic<bool> midSearch{false};
    std::atomic<bool> cancel{false};
};

TEST(FastSearch, CancelFromAnotherThreadStopsALongSearch) {
    // The third-order E192 search runs for seconds; it is cancelled once the workers' progress
    // has shown up part way through.
    CDesignSession session;
    test::SearchCase c = test::SearchCases()[4];
    c.series = ResistorSeries::E192;
    test::PrepareCase(session, c);
    session.SetSearchOptions({2, true});
    RemoteControl monitor;
    std::thread design([&] { session.Design(monitor); });
    while (!monitor.midSearch.load()) {
        std::this_thread::yield();
    }
    monitor.cancel.store(true);
    design.join();
    EXPECT_EQ(session.Filter().GetDesignState(), DesignState::CANCELLED);
    EXPECT_EQ(session.Filter().Value(ComponentSlot::R2, 0), 0.0);  // the stage was not stored
}

}  // namespace
}  // namespace vx
