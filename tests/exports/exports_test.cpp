// The built library, loaded by the platform's loader the way a host loads
// it: every export is found under its plain name and answers as specified.
#include <cstring>

#include "brindle.h"
#include "test_support.h"

namespace {

#if defined(_WIN32)
constexpr int32_t kStatusAfterLoad = 0; // the window classes are registered
#else
constexpr int32_t kStatusAfterLoad = E_PLATFORM; // no window system, for good
#endif

struct ExportsTest : ::testing::Test {
    LoadedLibrary lib{BesideTestProgram(BRD_LIBRARY_NAME)};

    template <typename Fn> Fn Get(const char *name) {
        void *address = lib.symbol(name);
        EXPECT_NE(address, nullptr) << name;
        return reinterpret_cast<Fn>(address);
    }
};

TEST_F(ExportsTest, EveryExportIsThereByItsPlainName) {
    ASSERT_TRUE(lib.loaded());
    for (const char *name :
         {"VersionBrd", "SupportBrd", "NewGraph", "DelGraph", "GetGraph", "SetGraph", "IncGraph"})
        EXPECT_NE(lib.symbol(name), nullptr) << name;
}

TEST_F(ExportsTest, LoadedLibraryAnswers) {
    ASSERT_TRUE(lib.loaded());
    auto version = Get<int32_t(BRDAPI *)()>("VersionBrd");
    auto support = Get<int32_t(BRDAPI *)(int32_t)>("SupportBrd");
    auto newGraph = Get<int32_t(BRDAPI *)(Graph **, int32_t)>("NewGraph");
    auto incGraph = Get<int32_t(BRDAPI *)(Graph *, GraphInfo *)>("IncGraph");
    auto setGraph = Get<int32_t(BRDAPI *)(Graph *, const uint32_t *)>("SetGraph");
    auto getGraph = Get<int32_t(BRDAPI *)(Graph *, uint32_t *)>("GetGraph");
    auto delGraph = Get<int32_t(BRDAPI *)(Graph *)>("DelGraph");
    ASSERT_TRUE(version && support && newGraph && incGraph && setGraph && getGraph && delGraph);

    EXPECT_EQ(version(), 521);
    EXPECT_EQ(support(521), kStatusAfterLoad);
    EXPECT_EQ(support(520), E_ARG);

    Graph *graph = nullptr;
    ASSERT_EQ(newGraph(&graph, 0), 0);
    GraphInfo info;
    std::memset(&info, 0xFF, sizeof info);
    ASSERT_EQ(incGraph(graph, &info), 0);
    EXPECT_EQ(info.vertices, 0u);
    if (sizeof(void *) == 4) {
        EXPECT_EQ(info.bytes, 960u);
    }
    uint32_t word = 0xFFFFFFFFu;
    EXPECT_EQ(setGraph(graph, &word), 0);
    EXPECT_EQ(getGraph(graph, &word), 0);
    EXPECT_EQ(word, 1u);
    EXPECT_EQ(incGraph(nullptr, &info), E_ARG);
    EXPECT_EQ(delGraph(graph), 0);
    EXPECT_EQ(delGraph(nullptr), 0);
}

} // namespace
