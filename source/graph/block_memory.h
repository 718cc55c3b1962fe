// Platform blocks: zero-filled memory at an address that stays put until the
// block is released. Everything the library allocates comes from here, so
// tests can make any single allocation fail and count what is still held.
#pragma once

#include <cstddef>
#include <cstdint>

// A zero-filled block of `bytes`, or null when the platform refuses it.
void *BlockAlloc(size_t bytes);

// Releases a block from BlockAlloc; null is ignored.
void BlockFree(void *block);

// Blocks handed out and not yet released, process-wide.
uint32_t BlockLiveCount();

// Test hook: the `nth` allocation from now (1 = the next one) fails, once.
// 0 turns failure injection off.
void BlockFailAt(uint32_t nth);
