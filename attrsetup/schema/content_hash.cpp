#include "schema/content_hash.h"

#include <array>
#include <cstring>

namespace quorbel {
namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ULL;

constexpr std::uint64_t rotateLeft(std::uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}

constexpr std::uint64_t mixIn(std::uint64_t lane, std::uint64_t word) {
    return rotateLeft(lane + word * kPrime2, 31) * kPrime1;
}

std::uint64_t wordAt(const char* bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

}  // namespace

std::uint64_t contentHash(std::string_view bytes) {
    std::array<std::uint64_t, 4> lanes = {kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1};
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 32; p += 32, left -= 32) {
        for (std::size_t k = 0; k < lanes.size(); ++k) {
            lanes[k] = mixIn(lanes[k], wordAt(p + 8 * k));
        }
    }
    std::uint64_t hash = rotateLeft(lanes[0], 1) + rotateLeft(lanes[1], 7) +
                         rotateLeft(lanes[2], 12) + rotateLeft(lanes[3], 18);
    hash += bytes.size();
    for (; left >= 8; p += 8, left -= 8) {
        hash = rotateLeft(hash ^ mixIn(0, wordAt(p)), 27) * kPrime1 + kPrime3;
    }
    for (; left > 0; ++p, --left) {
        hash = rotateLeft(hash ^ (std::uint64_t{static_cast<unsigned char>(*p)} * kPrime3), 11) *
               kPrime1;
    }
    // Every input bit reaches every output bit.
    hash ^= hash >> 33;
    hash *= kPrime2;
    hash ^= hash >> 29;
    hash *= kPrime3;
    hash ^= hash >> 32;
    return hash;
}

}  // namespace quorbel
