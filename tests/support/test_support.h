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
