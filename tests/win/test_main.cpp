// Entry of the Windows-side test programs: DPI-aware like the program itself, so window
// rectangles are seen in real pixels at any display setting.

#include <gtest/gtest.h>

#include <windows.h>

int main(int argc, char** argv) {
    SetProcessDPIAware();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
