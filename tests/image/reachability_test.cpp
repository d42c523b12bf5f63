// The reachability check driven by a stand-in echo client and clock, so the
// 5-second limit is covered without waiting for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "image/reachability.h"

namespace ks {
namespace {

struct FakeTime {
    int64_t now = 1000;  // any origin
    PingClock Clock() {
        return PingClock{[this] { return now; }, [this](int ms) { now += ms; }};
    }
};

// Answers from a script; the last step repeats once the script runs out.
struct Step {
    EchoOutcome outcome;
    std::size_t bytes;
    int latency_ms;  // time the request takes
};

class ScriptedEcho : public EchoClient {
public:
    ScriptedEcho(FakeTime& t, std::vector<Step> script) : t_(t), script_(script.begin(), script.end()) {}
    EchoResult Request(const std::string& address, const std::string& data, std::chrono::milliseconds timeout,
                       const std::function<void()>& waiting) override {
        addresses.push_back(address);
        datas.push_back(data);
        timeouts.push_back(int(timeout.count()));
        const Step s = script_.front();
        if (script_.size() > 1) script_.pop_front();
        // Like the system client: the window is served while it waits.
        for (int left = s.latency_ms; left > 0; left -= 10) {
            t_.now += std::min(left, 10);
            if (waiting) waiting();
        }
        EchoResult r{s.outcome, s.bytes, {}};
        if (s.outcome == EchoOutcome::Error) r.error = "no socket";
        return r;
    }
    std::vector<std::string> addresses, datas;
    std::vector<int> timeouts;

private:
    FakeTime& t_;
    std::deque<Step> script_;
};

constexpr Step Data{EchoOutcome::Reply, 9, 1};
constexpr Step Empty{EchoOutcome::Reply, 0, 1};
constexpr Step Silent{EchoOutcome::NoReply, 0, 400};
constexpr Step Silent_Fast{EchoOutcome::NoReply, 0, 0};
constexpr Step Broken{EchoOutcome::Error, 0, 0};

struct Case {
    const char* name;
    std::vector<Step> script;
    bool reachable;
    int ping_res;
    int message;
    int min_requests, max_requests;
    int min_elapsed, max_elapsed;
};

TEST(SendPing, OutcomesOfScriptedReplies) {
    const Case cases[] = {
        {"answers at once: done after the second reply", {Data}, true, Ping_Data, 0, 2, 2, 0, 10},
        {"never answers: about 5 s, device not found", {Silent}, false, Ping_No_Data, 1036, 13, 13, 5001, 5400},
        {"time-outs reported at once are paced", {Silent_Fast}, false, Ping_No_Data, 1036, 13, 13, 5001, 5400},
        {"replies without data are paced too", {Empty}, false, Ping_No_Data, 1036, 13, 13, 5001, 5400},
        {"one answer then silence: not found", {Data, Silent}, false, Ping_No_Data, 1036, 13, 14, 5001, 5400},
        {"second success after a gap", {Silent, Data, Silent, Data}, true, Ping_Data, 0, 4, 4, 800, 810},
        {"client error ends at once", {Broken}, false, Ping_None, 1037, 1, 1, 0, 0},
        {"error after a time-out still says check the address", {Silent, Broken}, false, Ping_None, 1037, 2, 2,
         400, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTime t;
        ScriptedEcho echo(t, c.script);
        int events = 0;
        const int64_t t0 = t.now;
        const PingReport rep = Send_Ping(echo, "192.168.2.205", [&] { ++events; }, t.Clock());
        EXPECT_EQ(rep.reachable, c.reachable);
        EXPECT_EQ(rep.ping_res, c.ping_res);
        EXPECT_EQ(Ping_Message_Index(rep), c.message);
        EXPECT_GE(rep.requests, c.min_requests);
        EXPECT_LE(rep.requests, c.max_requests);
        EXPECT_GE(t.now - t0, c.min_elapsed);
        EXPECT_LE(t.now - t0, c.max_elapsed);
        EXPECT_EQ(int(echo.addresses.size()), rep.requests);
        if (c.ping_res == Ping_None) {
            EXPECT_EQ(rep.error, "no socket");
        }
        // The window is served about every 10 ms while the check waits.
        if (c.min_elapsed > 1000) {
            EXPECT_GE(events, c.min_elapsed / Ping_Event_Interval_Ms);
        }
    }
}

TEST(SendPing, EachRequestCarriesTheAddressTextAndA400msLimit) {
    FakeTime t;
    ScriptedEcho echo(t, {Silent, Data});
    const std::string address = "10.1.2.3";
    Send_Ping(echo, address, {}, t.Clock());
    ASSERT_EQ(echo.addresses.size(), 3u);
    for (std::size_t i = 0; i < echo.addresses.size(); ++i) {
        EXPECT_EQ(echo.addresses[i], address);
        EXPECT_EQ(echo.datas[i], address);
        EXPECT_EQ(echo.timeouts[i], 400);
    }
}

TEST(PingReply, ByteCountDecides) {
    int res = Ping_None;
    PingReply(res, 13);
    EXPECT_EQ(res, Ping_Data);
    PingReply(res, 0);
    EXPECT_EQ(res, Ping_No_Data);
}

} // namespace
} // namespace ks
