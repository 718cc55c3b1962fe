#include "brindle.h"
#include "library.h"
#include "pane_calls.h"
#include "test_support.h"

namespace {

// Restores the process-wide status whatever a test does to it.
struct LibraryTest : ::testing::Test {
    int32_t saved = InitStatus;
    void TearDown() override { InitStatus = saved; }
};

TEST_F(LibraryTest, VersionIsAlways521) {
    EXPECT_EQ(VersionBrd(), 521);
    InitStatus = E_PLATFORM;
    EXPECT_EQ(VersionBrd(), 521);
}

TEST_F(LibraryTest, SupportAnswersOnlyTheInterfaceVersion) {
    const int32_t statuses[] = {E_ARG, 0, E_PLATFORM};
    const int32_t others[] = {520, 0, -521, 522, 0x209 + 0x10000};
    for (int32_t status : statuses) {
        InitStatus = status;
        EXPECT_EQ(SupportBrd(521), status);
        for (int32_t v : others) EXPECT_EQ(SupportBrd(v), E_ARG) << v;
    }
}

TEST_F(LibraryTest, StatusIsNotAttachedUntilAttach) {
    // Nothing in this test program attaches the library's own objects.
    EXPECT_EQ(SupportBrd(521), E_ARG);
}

#if !defined(_WIN32)
// Without a window system attach fails for good; detach then changes nothing.
TEST_F(LibraryTest, AttachWithoutWindowSystem) {
    PaneProcessAttach();
    EXPECT_EQ(SupportBrd(521), E_PLATFORM);
    PaneProcessDetach();
    EXPECT_EQ(SupportBrd(521), E_PLATFORM);
    Graph *graph = nullptr;
    EXPECT_EQ(NewGraph(&graph, 0), 0) << "graph calls work whatever the start-up status";
    DelGraph(graph);
}
#endif

} // namespace
