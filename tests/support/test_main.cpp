// Entry point of every test program: the common controls a window test may need, a settings file
// kept apart from each test, then GoogleTest.
#include <windows.h>
#include <commctrl.h>

#include "support/code_page_run.h"
#include "support/settings_file_guard.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::testing::InitGoogleTest(&argc, argv);
    // A run meant for another code page that fell back to Wine's default would pass unseen.
    if (::GetACP() != test_support::ExpectedCodePage()) {
        std::fprintf(stderr, "code page %u, where this run expects %u\n", ::GetACP(), test_support::ExpectedCodePage());
        return 1;
    }
    // Closing a main window writes the settings file beside the program, and starting one reads
    // it: no test may see another's.
    test_support::KeepSettingsFileApart();
    return RUN_ALL_TESTS();
}
