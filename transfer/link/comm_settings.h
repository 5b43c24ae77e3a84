#pragma once

#include <cstdint>
#include <mutex>
#include <string>

namespace vrk {

// The seven communication values, in the order the view holds them. Indexes, not rates: the
// mapping to line parameters is in the functions below, which keep the "any other value" rules.
struct CommSettings {
    std::int32_t m_nPort = 0;        // 0..5 = COM1..COM6
    std::int32_t m_nProtocol = 0;    // 0 None, 1 Ack/Nak
    std::int32_t m_nRecvDelay = 10;  // seconds, 1..1000
    std::int32_t m_nBaud = 0;        // 0..4 = 1200, 2400, 4800, 9600, 19200
    std::int32_t m_nDataBits = 1;    // 0 = 7, other = 8
    std::int32_t m_nStopBits = 0;    // 1 = two, other = one
    std::int32_t m_nParity = 0;      // 1 odd, 2 even, other none

    friend bool operator==(const CommSettings&, const CommSettings&) = default;
};

inline constexpr std::int32_t kProtocolNone = 0;
inline constexpr std::int32_t kProtocolAckNak = 1;
inline constexpr std::int32_t kMinRecvDelay = 1;
inline constexpr std::int32_t kMaxRecvDelay = 1000;

enum class Parity { None, Odd, Even };

// Settings are read, not copied, by a running transfer: a change made in the dialog reaches the
// next protocol decision. The lock makes that hand-over well defined between the two threads.
class SharedCommSettings {
  public:
    CommSettings load() const {
        std::lock_guard lock(mutex_);
        return value_;
    }
    void store(const CommSettings& value) {
        std::lock_guard lock(mutex_);
        value_ = value;
    }

  private:
    mutable std::mutex mutex_;
    CommSettings value_;
};

}  // namespace vrk
