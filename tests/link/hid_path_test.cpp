#include "link/hid_path.h"

#include <gtest/gtest.h>

TEST(HidPath, ParsesTheFourNumbers) {
    struct Case {
        const wchar_t* path;
        uint16_t vid, pid, mi, col;
    };
    const Case cases[] = {
        {L"hidraw:/dev/hidraw3#vid_320f&pid_5055&mi_01&col04", 0x320F, 0x5055, 1, 4},
        {L"virtual:/run/x/kb.sock#VID_320F&PID_5055&MI_01&COL0A", 0x320F, 0x5055, 1, 10},
        {L"hidraw:/dev/hidraw1#vid_0c76&pid_1630&mi_03", 0x0C76, 0x1630, 3, 0},  // no collection part
        {L"hidraw:/dev/hidraw2#vid_046d&pid_c077", 0x046D, 0xC077, 0, 0},        // not a USB interface
        {L"hidraw:/dev/hidraw2#vid_&pid_zz&mi_", 0, 0, 0, 0},                    // markers without digits
        {L"hidraw:/dev/hidraw2#vid_1320f", 0x320F, 0, 0, 0},                     // low 16 bits kept
        {L"virtual:/tmp/vid_9999&mi_05.sock#vid_0001&pid_0002", 1, 2, 0, 0},     // node text is not read
        {L"", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.path).size());
        EXPECT_EQ(ParseVid(c.path), c.vid);
        EXPECT_EQ(ParsePid(c.path), c.pid);
        EXPECT_EQ(ParseInterfaceNumber(c.path), c.mi);
        EXPECT_EQ(ParseCollectionNumber(c.path), c.col);
    }
}

TEST(HidPath, FormatsWhatTheParsersRead) {
    EXPECT_EQ(FormatInterfacePath(L"hidraw", L"/dev/hidraw3", 0x320F, 0x5055, 1, 4),
              L"hidraw:/dev/hidraw3#vid_320f&pid_5055&mi_01&col04");
    EXPECT_EQ(FormatInterfacePath(L"hidraw", L"/dev/hidraw1", 0x0C76, 0x1630, 3, std::nullopt),
              L"hidraw:/dev/hidraw1#vid_0c76&pid_1630&mi_03");
    const auto parts = SplitInterfacePath(L"virtual:/run/px/kb-if1.sock#vid_0000&pid_0000&mi_01&col03");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->transport, L"virtual");
    EXPECT_EQ(parts->node, L"/run/px/kb-if1.sock");
    EXPECT_FALSE(SplitInterfacePath(L"/dev/hidraw0"));
    EXPECT_FALSE(SplitInterfacePath(L"hidraw:#vid_1"));
}
