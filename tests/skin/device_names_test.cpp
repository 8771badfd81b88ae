#include "skin/device_names.h"

#include <gtest/gtest.h>

namespace pindrel {
namespace {

TEST(DeviceRefusal, NamesTheDeviceWillNotHold) {
    struct Case {
        std::string name;
        const char* why; // empty: the device takes it
    };
    const Case cases[] = {
        {"bgr.bmp", ""},
        {"Con.bmp.bak", "reserved"},
        {"CON", "reserved"},
        {"nul.bmp", "reserved"},
        {"aux .bmp", "reserved"},
        {"COM1.bmp", "reserved"},
        {"lpt9", "reserved"},
        {"com0.bmp", ""},
        {"com10.bmp", ""},
        {"console.bmp", ""},
        {"lpt.bmp", ""},
        {"a?.bmp", "holds \"?\""},
        {"a:b.bmp", "holds \":\""},
        {"a\\b.bmp", "holds \"\\\""},
        {"a*<>\"|.bmp", "holds \"*\""},
        {std::string("a\x1f.bmp"), "control byte 0x1F"},
        {std::string("a\tb.bmp"), "control byte 0x09"},
        {"pic.bmp.", "ends in a dot"},
        {"pic.bmp ", "ends in a space"},
        {"caf\xe9.bmp", ""},
        {"a b.bmp", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string why = DeviceRefusal(c.name);
        if (*c.why == 0)
            EXPECT_EQ(why, "");
        else
            EXPECT_NE(why.find(c.why), std::string::npos) << why;
    }
}

} // namespace
} // namespace pindrel
