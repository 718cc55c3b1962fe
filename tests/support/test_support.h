// Shared helpers of the tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "block_memory.h"

// Every test of this fixture must give back each platform block it took.
class BlockLeakCheck : public ::testing::Test {
protected:
    void SetUp() override { liveAtStart_ = BlockLiveCount(); }
    void TearDown() override {
        BlockFailAt(0);
        EXPECT_EQ(BlockLiveCount(), liveAtStart_) << "platform blocks leaked";
    }

private:
    uint32_t liveAtStart_ = 0;
};

// Full path of a file next to the test program.
std::string BesideTestProgram(const char *fileName);

// The built shared library, loaded by the platform's loader as a host would.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string &path);
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary &) = delete;
    LoadedLibrary &operator=(const LoadedLibrary &) = delete;

    bool loaded() const { return handle_ != nullptr; }
    void *symbol(const char *name) const;

private:
    void *handle_ = nullptr;
};

#include <vector>

#include "brindle.h"

// A VertRec with the given name (copied as is, up to 16 bytes) and flags.
VertRec Rec(const char *name, uint32_t flags = 0);

// Owns one graph for a test; helpers make named vertices in it.
class GraphFixture : public BlockLeakCheck {
protected:
    Graph *graph = nullptr;
    void SetUp() override;
    void TearDown() override;
    Vert *Add(const char *name, uint32_t flags = 0);
    std::vector<std::string> Names(int32_t mode, Vert *from = nullptr);
};

// The names of v's successors (outgoing list order).
std::vector<std::string> Successors(Vert *v);
// The names of v's predecessors (incoming list order).
std::vector<std::string> Predecessors(Vert *v);
