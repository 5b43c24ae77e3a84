#include "files/win32_file_io.h"

#include <algorithm>
#include <atomic>
#include <limits>

#include "files/large_buffer.h"

namespace vrk {

namespace {

constexpr UINT kGbkCodePage = 936;
// ERROR_DISK_QUOTA_EXCEEDED, which mingw-w64's headers lack.
constexpr DWORD kDiskQuotaExceeded = 1295;
constexpr std::size_t kReadChunk = std::size_t{1} << 16;
// One WriteFile or ReadFile call moves at most this much; a DWORD counts the bytes.
constexpr std::size_t kLargestCall = std::size_t{1} << 30;

}  // namespace

bool WidePath(const std::string& path, std::wstring& wide) {
    wide.clear();
    if (path.empty() || path.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return false;
    }
    const int size = static_cast<int>(path.size());
    const int length =
        MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    if (length <= 0) {
        return false;
    }
    wide.resize(static_cast<std::size_t>(length));
    return MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(),
                               length) == length;
}

std::string NarrowPath(const std::wstring& wide) {
    if (wide.empty() || wide.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                           nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}

FileFault FaultOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return FileFault::FileMissing;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_INVALID_DRIVE:
            return FileFault::FolderMissing;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileFault::Denied;
        case ERROR_WRITE_PROTECT:
            return FileFault::ReadOnlyDisk;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case kDiskQuotaExceeded:
            return FileFault::DiskFull;
        case ERROR_FILE_TOO_LARGE:
            return FileFault::TooLarge;
        case ERROR_DIRECTORY:
            return FileFault::IsFolder;
        default:
            return FileFault::Io;
    }
}

FileResult Failure(FileFault fault, DWORD error) {
    return {fault, static_cast<int>(error), false};
}

FileResult LastFailure() {
    const DWORD error = GetLastError();
    return Failure(FaultOf(error), error);
}

std::wstring DirectoryOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return L".";
    }
    // "C:\name" lives in "C:\", not in "C:" (the drive's current folder).
    if (separator == 0 || (separator == 2 && path[1] == L':')) {
        return path.substr(0, separator + 1);
    }
    return path.substr(0, separator);
}

std::wstring UniqueName() {
    static std::atomic<unsigned> counter{0};
    return std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter.fetch_add(1));
}

DWORD WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto size = static_cast<DWORD>(std::min(bytes.size(), kLargestCall));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), size, &written, nullptr)) {
            return GetLastError();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

DWORD ReadAll(HANDLE file, std::string& bytes, std::size_t limit, std::size_t expected) {
    bytes.clear();
    const std::size_t first = std::max(kReadChunk, std::min(expected, limit) + 1);
    ReserveLargeBuffer(bytes, first);
    bytes.resize(first);
    std::size_t used = 0;
    while (used <= limit) {
        if (used == bytes.size()) {
            bytes.resize(used * 2);
        }
        const auto room = static_cast<DWORD>(std::min(bytes.size() - used, kLargestCall));
        DWORD got = 0;
        if (!::ReadFile(file, bytes.data() + used, room, &got, nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_BROKEN_PIPE) {
                break;
            }
            bytes.clear();
            return error;
        }
        if (got == 0) {
            break;
        }
        used += got;
    }
    bytes.resize(used);
    return 0;
}

}  // namespace vrk
