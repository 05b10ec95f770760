// The memory behind the big lists: bytes and offsets that keep their values while the block grows,
// moves or shrinks, also where the system grants far less address space than the block asks for.

#include "runtime/growingblock.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

TEST(GrowingBlockTest, ArrayInsertsAndErasesLikeAVector) {
    BlockArray<std::size_t> array;
    std::vector<std::size_t> expected;
    for (std::size_t i = 0; i < 200000; ++i) {
        array.push_back(i);
        expected.push_back(i);
    }
    for (std::size_t i = 0; i < 300; ++i) {
        const std::size_t at = (i * 7919) % expected.size();
        if (i % 3 == 0) {
            array.erase(at);
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));
        } else {
            array.insert(at, 1000000 + i);
            expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), 1000000 + i);
        }
    }
    array.insert(array.size(), 42);
    expected.push_back(42);
    ASSERT_EQ(array.size(), expected.size());
    EXPECT_TRUE(std::equal(array.begin(), array.end(), expected.begin()));
}

TEST(GrowingBlockTest, BytesSurviveAMoveToAWiderRange) {
    GrowingBlock block;
    std::string expected;
    // Chunks that add up past the first range force the block to move at least once.
    const std::size_t chunk = 64 * 1024 * 1024;
    for (int i = 0; i < 20; ++i) {
        char* at = block.reserve(chunk);
        at[0] = static_cast<char>('a' + i);
        at[chunk - 1] = static_cast<char>('A' + i);
        block.commit(chunk);
    }
    ASSERT_EQ(block.size(), 20 * chunk);
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(block.data()[static_cast<std::size_t>(i) * chunk], static_cast<char>('a' + i));
        ASSERT_EQ(block.data()[(static_cast<std::size_t>(i) + 1) * chunk - 1], static_cast<char>('A' + i));
    }
    GrowingBlock moved(std::move(block));
    EXPECT_EQ(block.size(), 0u);
    EXPECT_EQ(moved.data()[0], 'a');
}

// A limit on address space refuses the wide range; the block takes what it can get and still holds a
// list far beyond its first range. Run in a child, as the limit cannot be lifted again. The
// sanitizers reserve terabytes of address space and cannot run under such a limit.
TEST(GrowingBlockTest, WorksUnderALimitOnAddressSpace) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs unlimited address space";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer needs unlimited address space";
#endif
#endif
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The process as it stands plus 600 MB: not even one range of the width first asked for.
        long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                _exit(10);
            std::fclose(statm);
        }
        const rlim_t limit =
            static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + 600ull * 1024 * 1024;
        const rlimit bounds{limit, limit};
        if (setrlimit(RLIMIT_AS, &bounds) != 0)
            _exit(11);
        GrowingBlock block;
        const std::size_t chunk = 1024 * 1024;
        for (std::size_t i = 0; i < 200; ++i) {
            char* at = block.reserve(chunk);
            at[0] = static_cast<char>(i);
            block.commit(chunk);
        }
        for (std::size_t i = 0; i < 200; ++i)
            if (block.data()[i * chunk] != static_cast<char>(i))
                _exit(12);
        // Past what the limit allows the block reports it rather than writing anywhere.
        try {
            block.reserve(std::size_t{2} << 30);
        } catch (const std::bad_alloc&) {
            _exit(0);
        }
        _exit(13);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
