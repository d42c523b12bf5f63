#include "image/reachability.h"

#include <chrono>
#include <thread>

namespace ks {

PingClock System_Ping_Clock() {
    return PingClock{
        [] {
            using namespace std::chrono;
            return int64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
        },
        [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }};
}

void PingReply(int& ping_res, std::size_t bytes) { ping_res = bytes > 0 ? Ping_Data : Ping_No_Data; }

PingReport Send_Ping(EchoClient& client, const std::string& address, const std::function<void()>& events,
                     const PingClock& clock) {
    PingReport rep;
    const int64_t start = clock.now_ms();
    for (;;) {
        const int64_t sent = clock.now_ms();
        const EchoResult r =
            client.Request(address, address, std::chrono::milliseconds(Ping_Request_Timeout_Ms), events);
        ++rep.requests;
        if (r.outcome == EchoOutcome::Error) {
            rep.ping_res = Ping_None;
            rep.error = r.error;
            rep.reachable = false;
            return rep;
        }
        PingReply(rep.ping_res, r.outcome == EchoOutcome::Reply ? r.bytes : 0);
        if (events) events();
        if (rep.ping_res == Ping_Data) {
            if (++rep.successes >= Ping_Successes_Needed) break;
        } else {
            // An answer without data can come back at once: wait out this
            // request's time before the next, so a quick "no" is not a flood.
            while (clock.now_ms() - start <= Ping_Check_Limit_Ms &&
                   clock.now_ms() - sent < Ping_Request_Timeout_Ms) {
                clock.sleep_ms(Ping_Event_Interval_Ms);
                if (events) events();
            }
        }
        if (clock.now_ms() - start > Ping_Check_Limit_Ms) break;
    }
    rep.reachable = rep.ping_res == Ping_Data;
    return rep;
}

int Ping_Message_Index(const PingReport& report) {
    if (report.reachable) return 0;
    return report.ping_res == Ping_No_Data ? 1036 : 1037;
}

} // namespace ks
