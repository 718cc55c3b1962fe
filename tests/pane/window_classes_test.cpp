// The pane window classes: registration at attach, the start-up status
// through attach, detach and a failed registration, and PaneFromWindow.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "brindle.h"
#include "library.h"
#include "pane_record.h"
#include "pane_style.h"
#include "test_support.h"
#include "window_classes.h"

namespace {

const char *const kClasses[] = {"BrdPaneClass", "BrdFifaClass", "BrdNewpClass"};

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

bool ClassRegistered(const char *name) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    return GetClassInfoExA(Self(), name, &wc) != 0;
}

TEST(PlatformVersion, ThreeTenOrLater) {
    struct Case {
        DWORD version;
        bool passes;
    } cases[] = {{0x0A03, true}, {0x0903, false}, {0x5F03, true},  {0x0004, true},
                 {0x0206, true}, {0xFF02, false}, {0x0000, false}, {0xC0000A03, true}};
    for (const Case &c : cases)
        EXPECT_EQ(PlatformVersionSupported(c.version), c.passes) << std::hex << c.version;
}

// Attaches this test program's copy of the library code and puts the
// process-wide state back afterwards.
struct AttachTest : ::testing::Test {
    int32_t savedStatus = InitStatus;
    void TearDown() override {
        if (InitStatus == 0) UnregisterClasses(Self());
        InitStatus = savedStatus;
        PaneProc = nullptr;
    }
};

TEST_F(AttachTest, AttachRegistersTheClassesAndDetachRemovesThem) {
    std::memset(&DefaultPaneStyle.font, 0x55, sizeof DefaultPaneStyle.font);
    PaneProcessAttach(Self());
    ASSERT_EQ(SupportBrd(521), 0);
    ASSERT_NE(PaneProc, nullptr);

    HICON icon = LoadIconA(Self(), "BrdPaneClass");
    ASSERT_NE(icon, nullptr) << "the class icon is a resource of the module";
    for (const char *name : kClasses) {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        ASSERT_TRUE(GetClassInfoExA(Self(), name, &wc)) << name;
        EXPECT_EQ(wc.style, 0x4008u) << name;
        EXPECT_EQ(wc.lpfnWndProc, PaneProc) << name;
        EXPECT_EQ(wc.cbClsExtra, 0) << name;
        EXPECT_EQ(wc.cbWndExtra, kPaneWindowBytes) << name;
        EXPECT_EQ(wc.hIcon, icon) << name;
        EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW)) << name;
        EXPECT_EQ(wc.hbrBackground, nullptr) << name;
        EXPECT_EQ(wc.lpszMenuName, nullptr) << name;
    }
    if (sizeof(void *) == 4) {
        EXPECT_EQ(kPaneWindowBytes, 20);
    }

    LOGFONTA systemFont;
    std::memset(&systemFont, 0, sizeof systemFont);
    ASSERT_NE(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof systemFont, &systemFont), 0);
    EXPECT_EQ(std::memcmp(&DefaultPaneStyle.font, &systemFont, sizeof systemFont), 0)
        << "attach reads the system font into the default style";

    PaneProcessDetach(Self());
    EXPECT_EQ(SupportBrd(521), E_ARG);
    EXPECT_EQ(PaneProc, nullptr);
    for (const char *name : kClasses) EXPECT_FALSE(ClassRegistered(name)) << name;
    PaneProcessDetach(Self());
    EXPECT_EQ(SupportBrd(521), E_ARG) << "a second detach changes nothing";
}

TEST_F(AttachTest, ClassIconIsOurOwn32By32TwoColourIcon) {
    ASSERT_EQ(RegisterClasses(Self()), 0);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(Self(), "BrdNewpClass", &wc));
    EXPECT_NE(wc.hIcon, LoadIconA(nullptr, IDI_APPLICATION));
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(wc.hIcon, &info));
    // A monochrome icon has no colour bitmap: its mask holds both halves.
    EXPECT_EQ(info.hbmColor, nullptr);
    BITMAP mask = {};
    ASSERT_TRUE(GetObjectA(info.hbmMask, sizeof mask, &mask));
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64);
    EXPECT_EQ(mask.bmBitsPixel, 1);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

LRESULT CALLBACK OtherProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

// A class of one of our names registered before attach makes the
// registration fail; what attach registered is removed again, and detach
// then leaves everything as it is.
TEST_F(AttachTest, FailedRegistrationRollsBackAndDetachLeavesIt) {
    for (const char *taken : {"BrdPaneClass", "BrdFifaClass", "BrdNewpClass"}) {
        WNDCLASSA other = {};
        other.style = CS_GLOBALCLASS;
        other.lpfnWndProc = OtherProc;
        other.hInstance = Self();
        other.lpszClassName = taken;
        ASSERT_TRUE(RegisterClassA(&other)) << taken;

        PaneProcessAttach(Self());
        EXPECT_EQ(SupportBrd(521), E_PLATFORM) << taken;
        EXPECT_EQ(PaneProc, nullptr);
        for (const char *name : kClasses)
            if (std::strcmp(name, taken) != 0) {
                EXPECT_FALSE(ClassRegistered(name)) << name;
            }

        PaneProcessDetach(Self());
        EXPECT_EQ(SupportBrd(521), E_PLATFORM);
        WNDCLASSA still = {};
        ASSERT_TRUE(GetClassInfoA(Self(), taken, &still)) << "detach unregistered nothing";
        EXPECT_EQ(still.lpfnWndProc, OtherProc);
        EXPECT_TRUE(UnregisterClassA(taken, Self()));
    }
}

struct PaneFromWindowTest : AttachTest {
    void SetUp() override { ASSERT_EQ(RegisterClasses(Self()), 0); }
};

TEST_F(PaneFromWindowTest, OnlyPaneWindowsGiveTheirPane) {
    EXPECT_EQ(PaneFromWindow(nullptr), nullptr);
    Pane pane = {};

    // Another class with room for the same window words is no pane window.
    WNDCLASSA other = {};
    other.lpfnWndProc = OtherProc;
    other.cbWndExtra = kPaneWindowBytes;
    other.hInstance = Self();
    other.lpszClassName = "NotAPaneClass";
    ASSERT_TRUE(RegisterClassA(&other));
    HWND stranger = CreateWindowA("NotAPaneClass", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                  nullptr, Self(), nullptr);
    ASSERT_NE(stranger, nullptr);
    SetWindowLongPtrA(stranger, kPaneWordPane, reinterpret_cast<LONG_PTR>(&pane));
    EXPECT_EQ(PaneFromWindow(stranger), nullptr);
    DestroyWindow(stranger);
    UnregisterClassA("NotAPaneClass", Self());

    for (const char *name : kClasses) {
        HWND window = CreateWindowA(name, "pane", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                    nullptr, Self(), nullptr);
        ASSERT_NE(window, nullptr) << name;
        EXPECT_EQ(PaneFromWindow(window), nullptr) << name << ": no pane yet";
        SetWindowLongPtrA(window, kPaneWordPane, reinterpret_cast<LONG_PTR>(&pane));
        EXPECT_EQ(PaneFromWindow(window), &pane) << name;
        SetWindowLongPtrA(window, kPaneWordPane, 0);
        EXPECT_EQ(PaneFromWindow(window), nullptr) << name << ": pane gone";
        DestroyWindow(window);
        EXPECT_EQ(PaneFromWindow(window), nullptr) << name << ": window gone";
    }
}

// The built library as hosts load it.
struct LoadedLibraryClasses : ::testing::Test {
    using Support = int32_t(BRDAPI *)(int32_t);
    static int32_t StatusOf(const LoadedLibrary &lib) {
        auto support = reinterpret_cast<Support>(lib.symbol("SupportBrd"));
        return support ? support(521) : 1;
    }
};

TEST_F(LoadedLibraryClasses, LoadRegistersAndUnloadUnregisters) {
    for (int round = 0; round < 2; ++round) {
        {
            LoadedLibrary lib(BesideTestProgram(BRD_LIBRARY_NAME));
            ASSERT_TRUE(lib.loaded());
            EXPECT_EQ(StatusOf(lib), 0) << "round " << round;
            for (const char *name : kClasses) EXPECT_TRUE(ClassRegistered(name)) << name;
        }
        for (const char *name : kClasses) EXPECT_FALSE(ClassRegistered(name)) << name;
    }
}

// A second copy of the library from another path finds the class names
// taken: it stays loaded with -2 and leaves the first copy's classes alone.
TEST_F(LoadedLibraryClasses, SecondCopyFailsAndStaysLoaded) {
    const std::string original = BesideTestProgram(BRD_LIBRARY_NAME);
    const std::string copy = BesideTestProgram("brindle_second_copy.dll");
    ASSERT_TRUE(CopyFileA(original.c_str(), copy.c_str(), FALSE));
    {
        LoadedLibrary first(original);
        ASSERT_TRUE(first.loaded());
        ASSERT_EQ(StatusOf(first), 0);
        {
            LoadedLibrary second(copy);
            ASSERT_TRUE(second.loaded()) << "a failed start-up never refuses the load";
            EXPECT_EQ(StatusOf(second), E_PLATFORM);
            EXPECT_EQ(StatusOf(first), 0);
            auto newGraph = reinterpret_cast<int32_t(BRDAPI *)(Graph **, int32_t)>(
                second.symbol("NewGraph"));
            auto delGraph = reinterpret_cast<int32_t(BRDAPI *)(Graph *)>(second.symbol("DelGraph"));
            Graph *graph = nullptr;
            ASSERT_TRUE(newGraph && delGraph);
            EXPECT_EQ(newGraph(&graph, 0), 0) << "graphs work whatever the start-up status";
            EXPECT_EQ(delGraph(graph), 0);
        }
        for (const char *name : kClasses)
            EXPECT_TRUE(ClassRegistered(name)) << name << " survives the copy's unload";
    }
    for (const char *name : kClasses) EXPECT_FALSE(ClassRegistered(name)) << name;
    DeleteFileA(copy.c_str());
}

} // namespace
