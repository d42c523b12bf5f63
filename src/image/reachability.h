#pragma once
// The update dialog's reachability check: does the converter answer echo
// requests at the address the user typed? Window-free so that it can be
// tested with a stand-in echo client and a stand-in clock.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/echo_client.h"

namespace ks {

// Outcome of the last echo request (`ping_res`).
enum Ping_Result : int {
    Ping_None = 0,     // no reply event yet (or the client failed)
    Ping_Data = 1,     // a reply carrying data arrived
    Ping_No_Data = 2,  // a reply without data, which is what a time-out gives
};

constexpr int Ping_Request_Timeout_Ms = 400;
constexpr int Ping_Check_Limit_Ms = 5000;
constexpr int Ping_Successes_Needed = 2;
constexpr int Ping_Event_Interval_Ms = 10;

// Monotonic time in milliseconds and a pause; the stand-in of the tests
// advances its own time instead of sleeping.
struct PingClock {
    std::function<int64_t()> now_ms;
    std::function<void(int)> sleep_ms;
};
PingClock System_Ping_Clock();

// Sets `ping_res` from the byte count of a reply event.
void PingReply(int& ping_res, std::size_t bytes);

struct PingReport {
    bool reachable = false;
    int ping_res = Ping_None;
    int requests = 0;
    int successes = 0;
    std::string error;  // the echo client's reason when it failed
};

// Sends echo requests (data: the address text itself, 400 ms each) until two
// replies with data have come or 5000 ms have passed; `events` runs about
// every 10 ms while waiting. Reachable when the last reply carried data. An
// error of the echo client ends the check at once, not reachable, with
// `ping_res` Ping_None. Requests are never sent faster than one per 400 ms
// unless the previous one was answered with data.
PingReport Send_Ping(EchoClient& client, const std::string& address, const std::function<void()>& events,
                     const PingClock& clock = System_Ping_Clock());

// Text index of the message for a failed check: 1036 "Device Not Found!"
// after replies without data, else 1037 "Error!!! Check the Ip Address";
// 0 when the device was reachable.
int Ping_Message_Index(const PingReport& report);

} // namespace ks
