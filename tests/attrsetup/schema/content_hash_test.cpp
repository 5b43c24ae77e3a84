#include "schema/content_hash.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorbel {
namespace {

// A change on disk must show whichever byte it touched: in the lanes, in the 8-byte tail or in
// the last bytes, and a file that only grew by zero bytes.
TEST(ContentHash, EveryByteAndTheLengthCount) {
    for (const std::size_t size : {0U, 1U, 7U, 8U, 31U, 32U, 33U, 71U, 4096U + 13U}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>('a' + i % 23);
        }
        const std::uint64_t original = contentHash(bytes);
        EXPECT_EQ(contentHash(std::string(bytes)), original);
        std::set<std::uint64_t> seen{original};
        for (std::size_t i = 0; i < size; ++i) {
            std::string changed = bytes;
            changed[i] = static_cast<char>(changed[i] ^ 0x01);
            EXPECT_TRUE(seen.insert(contentHash(changed)).second) << size << " at " << i;
        }
        EXPECT_NE(contentHash(bytes + '\0'), original) << size;
    }
}

}  // namespace
}  // namespace quorbel
