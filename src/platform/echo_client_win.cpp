// ICMP echo through the system's echo service (Windows).
#ifdef _WIN32

#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  // inet_pton needs Vista or later
#endif
// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on

#include <future>
#include <vector>

#include "platform/echo_client.h"

namespace ks {

namespace {

constexpr int Wait_Slice_Ms = 10;

EchoResult Fail(std::string why) {
    EchoResult r;
    r.outcome = EchoOutcome::Error;
    r.error = std::move(why);
    return r;
}

class WinsockUser {
public:
    WinsockUser() {
        WSADATA d;
        ok_ = ::WSAStartup(MAKEWORD(2, 2), &d) == 0;
    }
    ~WinsockUser() {
        if (ok_) ::WSACleanup();
    }
    bool Ok() const { return ok_; }

private:
    bool ok_ = false;
};

// One blocking IcmpSendEcho; run on a helper thread so that the caller can
// keep its window responsive.
EchoResult Send_Echo(IN_ADDR target, std::string data, DWORD timeout_ms) {
    HANDLE h = ::IcmpCreateFile();
    if (h == INVALID_HANDLE_VALUE) return Fail("cannot open the system echo service");
    std::vector<unsigned char> reply(sizeof(ICMP_ECHO_REPLY) + data.size() + 8 + 64);
    const DWORD count = ::IcmpSendEcho(h, target.S_un.S_addr, data.empty() ? nullptr : data.data(),
                                       WORD(data.size()), nullptr, reply.data(), DWORD(reply.size()), timeout_ms);
    const DWORD err = count == 0 ? ::GetLastError() : 0;
    ::IcmpCloseHandle(h);
    if (count == 0) {
        if (err == IP_REQ_TIMED_OUT || err == IP_DEST_HOST_UNREACHABLE || err == IP_DEST_NET_UNREACHABLE)
            return EchoResult{EchoOutcome::NoReply, 0, {}};
        return Fail("echo request failed, error " + std::to_string(err));
    }
    const auto* r = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply.data());
    if (r->Status != IP_SUCCESS) return EchoResult{EchoOutcome::NoReply, 0, {}};
    return EchoResult{EchoOutcome::Reply, r->DataSize, {}};
}

class WinEchoClient : public EchoClient {
public:
    EchoResult Request(const std::string& address, const std::string& data, std::chrono::milliseconds timeout,
                       const std::function<void()>& waiting) override {
        if (!winsock_.Ok()) return Fail("cannot start Windows Sockets");
        IN_ADDR target{};
        if (address.find('\0') != std::string::npos || ::inet_pton(AF_INET, address.c_str(), &target) != 1)
            return Fail("\"" + address + "\" is not an IPv4 address");
        if (data.size() > 1400) return Fail("echo data too long");
        auto pending = std::async(std::launch::async, Send_Echo, target, data, DWORD(timeout.count()));
        while (pending.wait_for(std::chrono::milliseconds(Wait_Slice_Ms)) != std::future_status::ready)
            if (waiting) waiting();
        return pending.get();
    }

private:
    WinsockUser winsock_;
};

}  // namespace

std::unique_ptr<EchoClient> Make_System_Echo_Client(EchoSocketKind) { return std::make_unique<WinEchoClient>(); }

} // namespace ks

#endif  // _WIN32
