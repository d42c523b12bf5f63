#include <gtest/gtest.h>

#include "platform/serial_ports.h"
#include "support/test_support.h"

namespace ks {
namespace {

#ifndef _WIN32
// Only the three serial kinds are listed, each by number (10 after 2), and
// kinds in a fixed order; other names are left out.
TEST(SerialPorts, ListsSerialKindsInNumericOrder) {
    test::TempDir dev;
    for (const char* n : {"ttyUSB10", "ttyS1", "ttyACM0", "ttyUSB2", "ttyS0", "tty5", "ttyUSB", "ttySx", "ttyAMA0",
                          "console", "ttyUSB0.lock"})
        dev.Write(n, "");
    const std::vector<std::string> expect = {dev / "ttyS0", dev / "ttyS1", dev / "ttyUSB2", dev / "ttyUSB10",
                                             dev / "ttyACM0"};
    EXPECT_EQ(List_Serial_Devices(dev.Path()), expect);
}

TEST(SerialPorts, MissingDeviceFolderGivesNoPorts) {
    test::TempDir dev;
    EXPECT_TRUE(List_Serial_Devices(dev / "none").empty());
}
#endif

} // namespace
} // namespace ks
