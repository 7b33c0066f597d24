// The flying frame allocates nothing: 600 frames of update and drawing of a
// full level, with every C++ allocation counted while the World runs.
#include <atomic>
#include <cstdlib>
#include <new>

#include "busy_level.h"
#include "world_fixture.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

// Out of line, so a debugger can stop on every counted allocation.
[[gnu::noinline]] void NoteAllocation() { allocations.fetch_add(1); }

void* CountedAlloc(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) NoteAllocation();
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    return block;
}

void* CountedAlignedAlloc(std::size_t size, std::align_val_t align) {
    if (counting.load(std::memory_order_relaxed)) NoteAllocation();
    void* block = nullptr;
    const std::size_t alignment = static_cast<std::size_t>(align) < sizeof(void*)
                                      ? sizeof(void*)
                                      : static_cast<std::size_t>(align);
    if (posix_memalign(&block, alignment, size ? size : 1) != 0) throw std::bad_alloc();
    return block;
}

}  // namespace

// Every form of the global operators, so that each allocation and release
// pairs malloc with free (sanitizers check that pairing).
void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return CountedAlloc(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return CountedAlloc(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t align) {
    return CountedAlignedAlloc(size, align);
}
void* operator new[](std::size_t size, std::align_val_t align) {
    return CountedAlignedAlloc(size, align);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }

namespace {

class AllocationTest : public WorldTest {
protected:
    // The screen's frame, counting allocations inside the World only.
    static void CountedFrame() {
        counting = true;
        World_Update();
        TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
        DrawWorld();
        counting = false;
    }
};

TEST_F(AllocationTest, FlyingFramesOfAFullLevelAllocateNothing) {
    LoadFlying(BusyLevelText());
    int objects = 0, texts = 0;
    for (uint64_t i = 0; i < level_.objectCapacity; ++i) objects += level_.objects[i] != nullptr;
    for (uint64_t i = 0; i < level_.textCapacity; ++i) texts += level_.texts[i] != nullptr;
    ASSERT_EQ(objects + 1, 100);  // and the goal
    ASSERT_EQ(texts, 20);

    Automation_LogSounds(false);
    Automation_RecordDraws(false);
    TS_Engine_SetNextGameState(nullptr, CountedFrame, nullptr);
    // Thrust and turn the whole time: the ship drifts through the level,
    // bouncing, picking up cells, flames burning, clock and compass changing.
    Press(kThrust);
    Press(kRight);
    Run(120);  // warm-up: sounds and fonts load, text sizes settle
    allocations = 0;
    const TS_Vec2 start = Ship()->position;
    Run(600);
    const long counted = allocations.load();
    Automation_LogSounds(true);
    EXPECT_EQ(counted, 0) << "allocations in 600 flying frames";
    EXPECT_EQ(world.phase, PHASE_FLYING);
    EXPECT_GT(std::fabs(Ship()->position.x - start.x) + std::fabs(Ship()->position.y - start.y),
              500.0f);
}

}  // namespace
