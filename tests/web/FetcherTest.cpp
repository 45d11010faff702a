// Fetchers of different views on the program's one curl multi: their
// transfers run side by side, a completion handler may free another
// fetcher whose transfer is still running, and the multi (with its sockets,
// watches and timer) goes away with the last fetcher.
#include <memory>

#include "web/CurlMulti.h"
#include "web/Fetcher.h"
#include "web/WebFixture.h"

namespace webtest {
namespace {

web::TFetchLimits Patient() {
    web::TFetchLimits limits;
    limits.TimeoutMs = 3'600'000;
    return limits;
}

class FetcherTest : public WebFixture {};

TEST_F(FetcherTest, FetchersShareOneMultiWhichEndsWithTheLast) {
    server.Put("/a", {.body = "first"});
    server.Put("/b", {.body = "second"});
    std::weak_ptr<web::TCurlMulti> shared;
    {
        auto one = std::make_unique<web::TFetcher>(Patient());
        auto two = std::make_unique<web::TFetcher>(Patient());
        shared = web::TCurlMulti::Shared();
        std::string gotOne, gotTwo;
        ASSERT_GT(one->Start(server.Url("/a"), [&](const web::TFetchResult& r) { gotOne = r.Body; }), 0);
        ASSERT_GT(two->Start(server.Url("/b"), [&](const web::TFetchResult& r) { gotTwo = r.Body; }), 0);
        EXPECT_EQ(shared.lock()->Transfers(), 2);
        ASSERT_TRUE(RunUntil([&] { return !gotOne.empty() && !gotTwo.empty(); }));
        EXPECT_EQ(gotOne, "first");
        EXPECT_EQ(gotTwo, "second");
        EXPECT_EQ(shared.lock()->Transfers(), 0);
    }
    EXPECT_TRUE(shared.expired());
}

TEST_F(FetcherTest, CompletionMayFreeAnotherFetcherWithATransferInFlight) {
    server.Put("/page", {.body = "page"});
    auto waiting = std::make_unique<web::TFetcher>(Patient());
    auto quick = std::make_unique<web::TFetcher>(Patient());
    int waitingCalls = 0;
    waiting->Start(server.SilentUrl("/never"), [&](const web::TFetchResult&) { ++waitingCalls; });
    waiting->Start(server.Url("/page"), [&](const web::TFetchResult&) { ++waitingCalls; });
    bool done = false;
    quick->Start(server.Url("/page"), [&](const web::TFetchResult& r) {
        done = r.Ok;
        waiting.reset();
    });
    ASSERT_TRUE(RunUntil([&] { return done; }));
    Loop().RunFor(50);
    EXPECT_LE(waitingCalls, 1);  // its page may have come first; nothing after it was freed
    EXPECT_EQ(waiting, nullptr);

    // The multi goes on serving the fetcher that is left.
    std::string again;
    quick->Start(server.Url("/page"), [&](const web::TFetchResult& r) { again = r.Body; });
    ASSERT_TRUE(RunUntil([&] { return !again.empty(); }));
    EXPECT_EQ(again, "page");
}

}  // namespace
}  // namespace webtest
