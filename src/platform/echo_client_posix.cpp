// ICMP echo over BSD sockets (Linux and other POSIX systems).
#ifndef _WIN32

#include <arpa/inet.h>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/echo_client.h"

namespace ks {

namespace {

constexpr uint8_t Icmp_Echo_Reply = 0;
constexpr uint8_t Icmp_Echo_Request = 8;
constexpr std::size_t Icmp_Header_Size = 8;
constexpr int Wait_Slice_Ms = 10;

uint16_t Internet_Checksum(const uint8_t* p, std::size_t n) {
    uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < n; i += 2) sum += uint32_t(p[i]) << 8 | p[i + 1];
    if (n % 2) sum += uint32_t(p[n - 1]) << 8;
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return uint16_t(~sum);
}

// Closes the socket on every way out.
class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int Fd() const { return fd_; }

private:
    int fd_;
};

int Open_Icmp_Socket(int type) { return ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP); }

EchoResult Fail(std::string why) {
    EchoResult r;
    r.outcome = EchoOutcome::Error;
    r.error = std::move(why);
    return r;
}

class PosixEchoClient : public EchoClient {
public:
    explicit PosixEchoClient(EchoSocketKind kind) : kind_(kind) {}

    EchoResult Request(const std::string& address, const std::string& data, std::chrono::milliseconds timeout,
                       const std::function<void()>& waiting) override {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();

        // Numeric IPv4 only: a name would need a lookup, which can block the
        // window for seconds and may reach a name server.
        in_addr target{};
        if (address.find('\0') != std::string::npos || ::inet_pton(AF_INET, address.c_str(), &target) != 1)
            return Fail("\"" + address + "\" is not an IPv4 address");
        if (data.size() > 1400) return Fail("echo data too long");

        bool raw = false;
        int fd = -1;
        int dgram_errno = 0;
        if (kind_ != EchoSocketKind::Raw) {
            fd = Open_Icmp_Socket(SOCK_DGRAM);
            dgram_errno = errno;
        }
        if (fd < 0 && kind_ != EchoSocketKind::Datagram) {
            fd = Open_Icmp_Socket(SOCK_RAW);
            raw = fd >= 0;
        }
        if (fd < 0) {
            std::string why = "cannot open an ICMP socket";
            if (dgram_errno) why += std::string(" (datagram: ") + std::strerror(dgram_errno) + ")";
            if (kind_ != EchoSocketKind::Datagram) why += std::string(" (raw: ") + std::strerror(errno) + ")";
            return Fail(why);
        }
        Socket sock(fd);

        // Datagram ICMP sockets get their identifier from the kernel, which
        // also hands them only their own replies; raw sockets see every ICMP
        // packet, so the identifier and sequence tell ours apart.
        static std::atomic<uint16_t> next_sequence{1};
        const uint16_t sequence = next_sequence++;
        const uint16_t ident = uint16_t(::getpid() & 0xFFFF);

        std::vector<uint8_t> packet(Icmp_Header_Size + data.size());
        packet[0] = Icmp_Echo_Request;
        packet[1] = 0;
        packet[4] = uint8_t(ident >> 8);
        packet[5] = uint8_t(ident);
        packet[6] = uint8_t(sequence >> 8);
        packet[7] = uint8_t(sequence);
        std::copy(data.begin(), data.end(), packet.begin() + Icmp_Header_Size);
        const uint16_t sum = Internet_Checksum(packet.data(), packet.size());
        packet[2] = uint8_t(sum >> 8);
        packet[3] = uint8_t(sum);

        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr = target;
        if (::sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0)
            return Fail(std::string("cannot send the echo request: ") + std::strerror(errno));

        const auto deadline = start + timeout;
        std::vector<uint8_t> buf(65536);
        for (;;) {
            const auto now = Clock::now();
            if (now >= deadline) return EchoResult{EchoOutcome::NoReply, 0, {}};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
            pollfd pfd{fd, POLLIN, 0};
            const int ready = ::poll(&pfd, 1, int(std::min<long long>(left + 1, Wait_Slice_Ms)));
            if (ready < 0 && errno != EINTR) return Fail(std::string("poll: ") + std::strerror(errno));
            if (ready > 0) {
                for (;;) {
                    sockaddr_in from{};
                    socklen_t from_len = sizeof from;
                    const ssize_t n = ::recvfrom(fd, buf.data(), buf.size(), 0, reinterpret_cast<sockaddr*>(&from),
                                                 &from_len);
                    if (n < 0) break;  // nothing more queued
                    if (from.sin_addr.s_addr != target.s_addr) continue;
                    std::size_t off = 0;
                    if (raw) {
                        if (n < 20) continue;
                        off = std::size_t(buf[0] & 0x0F) * 4;
                    }
                    if (std::size_t(n) < off + Icmp_Header_Size) continue;
                    const uint8_t* icmp = buf.data() + off;
                    if (icmp[0] != Icmp_Echo_Reply || icmp[1] != 0) continue;
                    const uint16_t got_seq = uint16_t(icmp[6] << 8 | icmp[7]);
                    const uint16_t got_id = uint16_t(icmp[4] << 8 | icmp[5]);
                    if (got_seq != sequence || (raw && got_id != ident)) continue;
                    return EchoResult{EchoOutcome::Reply, std::size_t(n) - off - Icmp_Header_Size, {}};
                }
            }
            if (waiting) waiting();
        }
    }

private:
    EchoSocketKind kind_;
};

}  // namespace

std::unique_ptr<EchoClient> Make_System_Echo_Client(EchoSocketKind kind) {
    return std::make_unique<PosixEchoClient>(kind);
}

} // namespace ks

#endif  // !_WIN32
