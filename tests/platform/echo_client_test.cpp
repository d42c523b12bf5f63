// The system echo client against the loopback interface (the only address
// tests may send to).
#include <gtest/gtest.h>

#include <string>

#include "platform/echo_client.h"

namespace ks {
namespace {

using std::chrono::milliseconds;

bool Cannot_Open(const EchoResult& r) {
    return r.outcome == EchoOutcome::Error && r.error.find("cannot open") != std::string::npos;
}

class LoopbackEcho : public ::testing::TestWithParam<EchoSocketKind> {};

TEST_P(LoopbackEcho, ReplyCarriesTheDataSent) {
    auto client = Make_System_Echo_Client(GetParam());
    const std::string data = "127.0.0.1";
    const EchoResult r = client->Request("127.0.0.1", data, milliseconds(400));
    if (Cannot_Open(r)) GTEST_SKIP() << "no ICMP socket of this kind on this machine: " << r.error;
    ASSERT_EQ(r.outcome, EchoOutcome::Reply) << r.error;
    EXPECT_EQ(r.bytes, data.size());

    // Another loopback address, and a second request on the same client
    // (the sequence number moves on, the reply still matches).
    const EchoResult r2 = client->Request("127.0.0.2", "127.0.0.2", milliseconds(400));
    ASSERT_EQ(r2.outcome, EchoOutcome::Reply) << r2.error;
    EXPECT_EQ(r2.bytes, 9u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LoopbackEcho,
                         ::testing::Values(EchoSocketKind::Auto, EchoSocketKind::Datagram, EchoSocketKind::Raw),
                         [](const auto& info) {
                             switch (info.param) {
                             case EchoSocketKind::Auto: return std::string("Auto");
                             case EchoSocketKind::Datagram: return std::string("Datagram");
                             default: return std::string("Raw");
                             }
                         });

// Only numeric IPv4 addresses are accepted: no name lookups, no blanks,
// no ranges beyond 255. These fail before anything is sent.
TEST(EchoClient, RejectsTextsThatAreNotNumericIpv4) {
    auto client = Make_System_Echo_Client();
    const std::string bad[] = {"300.1.1.1", "127.0.0.a", "127.0.0.1 ", " 127.0.0.1", "127.0 .0.1", "",
                               "127.0.0",   "localhost", "127.0.0.1.5", std::string("127.0.0.1\0x", 11),
                               "::1"};
    for (const std::string& text : bad) {
        const EchoResult r = client->Request(text, text, milliseconds(400));
        EXPECT_EQ(r.outcome, EchoOutcome::Error) << "[" << text << "]";
        EXPECT_FALSE(r.error.empty());
    }
}

} // namespace
} // namespace ks
