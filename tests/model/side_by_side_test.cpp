// Pieces of work shared by the calling thread and helpers: each runs once, errors come back in
// the order the pieces were given, and a piece nobody has taken never runs after the end.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "model/side_by_side.h"

using namespace ormevak;

namespace {

std::vector<SideBySide::Piece> counting(std::vector<int>& runs) {
    std::vector<SideBySide::Piece> pieces;
    for (size_t i = 0; i < runs.size(); ++i) pieces.push_back([&runs, i] { ++runs[i]; });
    return pieces;
}

} // namespace

TEST(SideBySide, everyPieceRunsOnceWhateverTheHelpers) {
    for (int helpers : {0, 1, 3}) {
        std::vector<int> runs(50, 0);
        SideBySide work(counting(runs), helpers);
        work.finish();
        EXPECT_EQ(std::accumulate(runs.begin(), runs.end(), 0), 50) << helpers << " helpers";
        EXPECT_EQ(*std::min_element(runs.begin(), runs.end()), 1);
    }
}

TEST(SideBySide, waitGivesOnePieceAndItsError) {
    std::atomic<int> done{0};
    SideBySide work({[&] { ++done; }, [] { throw std::runtime_error("second"); }, [&] { ++done; }},
                    0);
    work.wait(0);
    EXPECT_GE(done.load(), 1);
    try {
        work.wait(1);
        FAIL() << "the second piece's error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "second");
    }
    work.wait(2);
    EXPECT_EQ(done.load(), 2);
}

TEST(SideBySide, finishRethrowsTheFirstPiecesErrorAfterAllAreDone) {
    std::atomic<int> done{0};
    SideBySide work({[&] { ++done; }, [] { throw std::runtime_error("second"); },
                     [] { throw std::runtime_error("third"); }, [&] { ++done; }},
                    1);
    try {
        work.finish();
        FAIL() << "an error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "second");
    }
    EXPECT_EQ(done.load(), 2);
}

TEST(SideBySide, piecesNobodyTookAreDroppedAtTheEnd) {
    std::vector<int> runs(4, 0);
    {
        SideBySide work(counting(runs), 0);
        work.wait(1); // the caller takes the first two
    }
    EXPECT_EQ(runs, (std::vector<int>{1, 1, 0, 0}));
}

TEST(SideBySide, aBackgroundJobRunsWithoutTheCallerWaitingForIt) {
    auto ran = std::make_shared<std::promise<void>>();
    std::future<void> done = ran->get_future();
    inBackground([ran] { ran->set_value(); });
    EXPECT_EQ(done.wait_for(std::chrono::seconds(30)), std::future_status::ready);
}
