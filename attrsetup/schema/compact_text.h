#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

namespace quorbel {

// Bytes of a feature's value in 16 bytes instead of a std::string's 32: up to 15 bytes stand in
// the object itself, longer values on the heap. A feature index of 100,000 lines holds half a
// million of them, and every page they fill is one more page to fault in and to walk. The bytes
// are not followed by a terminating zero.
class CompactText {
  public:
    CompactText() noexcept { setInlineSize(0); }
    // From anything that reads as a string_view: a literal, a std::string, a string_view.
    template <class Text>
    requires std::is_convertible_v<const Text&, std::string_view> CompactText(
        const Text& text) {  // NOLINT(google-explicit-constructor): a value, like string
        setInlineSize(0);
        assign(std::string_view(text));
    }
    CompactText(const CompactText& other) : CompactText(other.view()) {}
    CompactText(CompactText&& other) noexcept { takeFrom(other); }
    ~CompactText() { release(); }

    CompactText& operator=(const CompactText& other) {
        if (this != &other) {
            assign(other.view());
        }
        return *this;
    }
    CompactText& operator=(CompactText&& other) noexcept {
        if (this != &other) {
            release();
            takeFrom(other);
        }
        return *this;
    }
    template <class Text>
    requires std::is_convertible_v<const Text&, std::string_view> CompactText& operator=(
        const Text& text) {
        assign(std::string_view(text));
        return *this;
    }

    void assign(std::string_view text);
    void clear() noexcept {
        release();
        setInlineSize(0);
    }

    bool empty() const noexcept { return size() == 0; }
    std::size_t size() const noexcept {
        return onHeap() ? heapSize() : static_cast<std::size_t>(m_bytes[kTagByte]);
    }
    const char* data() const noexcept { return onHeap() ? heapText() : m_bytes; }
    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); }  // NOLINT: reads as text

    friend bool operator==(const CompactText& a, std::string_view b) noexcept {
        return a.view() == b;
    }
    friend auto operator<=>(const CompactText& a, std::string_view b) noexcept {
        return a.view() <=> b;
    }
    friend std::ostream& operator<<(std::ostream& out, const CompactText& text) {
        return out << text.view();
    }

  private:
    // Inline: the bytes, then their count in the tag byte. On the heap: the block's address, its
    // size (4 bytes), and the mark in the tag byte.
    static constexpr std::size_t kInlineCapacity = 15;
    static constexpr std::size_t kTagByte = 15;
    static constexpr std::size_t kSizeOffset = sizeof(char*);
    static constexpr char kOnHeap = static_cast<char>(0x80);

    bool onHeap() const noexcept { return m_bytes[kTagByte] == kOnHeap; }
    void setInlineSize(std::size_t size) noexcept { m_bytes[kTagByte] = static_cast<char>(size); }
    char* heapText() const noexcept {
        char* text = nullptr;
        std::memcpy(&text, m_bytes, sizeof text);
        return text;
    }
    std::size_t heapSize() const noexcept {
        std::uint32_t size = 0;
        std::memcpy(&size, m_bytes + kSizeOffset, sizeof size);
        return size;
    }
    void takeFrom(CompactText& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.setInlineSize(0);
    }
    void release() noexcept {
        if (onHeap()) {
            delete[] heapText();
        }
    }

    alignas(8) char m_bytes[16];
};

static_assert(sizeof(CompactText) == 16);

}  // namespace quorbel
