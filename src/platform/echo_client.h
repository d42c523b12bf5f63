#pragma once
// ICMP echo ("ping") client used by the reachability check of the update
// dialog. The interface lets the check be tested with a stand-in; the system
// client sends real echo requests.
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace ks {

enum class EchoOutcome {
    Reply,    // an echo reply from the address arrived
    NoReply,  // nothing arrived within the time-out
    Error,    // the request could not be made (bad address, no socket...)
};

struct EchoResult {
    EchoOutcome outcome = EchoOutcome::NoReply;
    std::size_t bytes = 0;  // data bytes carried by the reply
    std::string error;      // why, for EchoOutcome::Error
};

class EchoClient {
public:
    virtual ~EchoClient() = default;
    // Sends one echo request carrying `data` to `address` (a numeric IPv4
    // address; names are never looked up) and waits at most `timeout` for
    // its reply. While waiting, `waiting` (when set) is called about every
    // 10 ms so that a window can keep processing its events.
    virtual EchoResult Request(const std::string& address, const std::string& data,
                               std::chrono::milliseconds timeout,
                               const std::function<void()>& waiting = {}) = 0;
};

// How the system client sends its requests. Auto tries an unprivileged ICMP
// datagram socket first and falls back to a raw socket (Linux); Windows
// always uses the system's echo service.
enum class EchoSocketKind { Auto, Datagram, Raw };

std::unique_ptr<EchoClient> Make_System_Echo_Client(EchoSocketKind kind = EchoSocketKind::Auto);

} // namespace ks
