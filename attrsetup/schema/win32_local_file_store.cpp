#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "schema/file_format.h"
#include "schema/file_store.h"

// The adapter between the schema and the Windows file system; the only Windows file calls here.
//
// Paths are GBK bytes, as everywhere in the schema; they are converted explicitly from code page
// 936 and the wide calls used, so a Chinese folder name works whatever the system's ANSI code page
// is. A file is replaced by writing its new content beside it, to the disk, and letting
// ReplaceFileW put it in place: the old file's attributes and security stay, and a crash never
// leaves half a file. A read-only file is never replaced.
namespace quorbel {
namespace {

constexpr DWORD kChunk = 1 << 16;

std::wstring widePath(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const int size = static_cast<int>(path.size());
    const int units =
        ::MultiByteToWideChar(file_format::kGbkCodePage, 0, path.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(file_format::kGbkCodePage, 0, path.data(), size, wide.data(), units);
    return wide;
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        const bool ok = !valid() || ::CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE handle_;
};

// The name the file system holds for an existing file, in its own letter case: Windows finds
// "index.ini" for "INDEX.INI", and a replacement under the typed name would rename the file.
std::wstring existingName(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return path;
    }
    ::FindClose(search);
    const std::size_t slash = path.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) +
           found.cFileName;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = bytes.size() < kChunk ? static_cast<DWORD>(bytes.size()) : kChunk;
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), piece, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool isWritableFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }
    // The file's security may still refuse this user: ask for write access without changing it.
    Handle probe(::CreateFileW(path.c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.valid();
}

// The new content beside its file, written through to the disk, waiting to take its place.
struct StagedFile {
    std::wstring target;
    std::wstring staged;

    void discard() {
        if (!staged.empty()) {
            ::DeleteFileW(staged.c_str());
            staged.clear();
        }
    }
};

bool stage(const FileStore::Replacement& replacement, StagedFile& file) {
    file.target = existingName(widePath(replacement.path));
    if (!isWritableFile(file.target)) {
        return false;
    }
    const std::wstring staged = file.target + L".quorbel-new";
    Handle out(::CreateFileW(staged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!out.valid()) {
        return false;
    }
    file.staged = staged;
    const bool written = writeAll(out.get(), replacement.bytes) && ::FlushFileBuffers(out.get());
    if (!out.close() || !written) {
        file.discard();
        return false;
    }
    return true;
}

// ReplaceFileW keeps the old file's attributes and security on the new content. Where the file
// system cannot do that (some network shares), MoveFileExW puts the content in place the same
// all-or-nothing way.
bool commit(StagedFile& file) {
    bool placed = ::ReplaceFileW(file.target.c_str(), file.staged.c_str(), nullptr,
                                 REPLACEFILE_WRITE_THROUGH, nullptr, nullptr) != FALSE;
    if (!placed && ::GetLastError() != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        placed = ::MoveFileExW(file.staged.c_str(), file.target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    if (placed) {
        file.staged.clear();
    }
    return placed;
}

class LocalFileStore final : public FileStore {
  public:
    bool read(const std::string& path, std::string& bytes) override {
        Handle in(::CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!in.valid()) {
            return false;
        }
        char buffer[kChunk];
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(in.get(), buffer, kChunk, &got, nullptr)) {
                return false;
            }
            if (got == 0) {
                return true;
            }
            bytes.append(buffer, got);
        }
    }

    bool mayWrite(const std::string& path) override { return isWritableFile(widePath(path)); }

    bool stamp(const std::string& path, Stamp& stamp) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data)) {
            return false;
        }
        stamp.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        // FILETIME counts 100 ns from 1601; the stamp counts nanoseconds from 1970.
        constexpr std::int64_t kEpochDifference = 116'444'736'000'000'000;
        const std::int64_t ticks = static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime);
        stamp.modifiedNs = (ticks - kEpochDifference) * 100;
        return true;
    }

    ReplaceResult replace(std::span<const Replacement> files) override {
        std::vector<StagedFile> staged(files.size());
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!stage(files[i], staged[i])) {
                discard(staged);
                return {0, false};
            }
        }
        for (std::size_t i = 0; i < staged.size(); ++i) {
            if (!commit(staged[i])) {
                // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 is the one case where the old file was moved
                // away and the new one not put in its place.
                const bool damaged = ::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
                discard(staged);
                return {i, damaged};
            }
        }
        return {files.size(), false};
    }

  private:
    static void discard(std::span<StagedFile> staged) {
        for (StagedFile& file : staged) {
            file.discard();
        }
    }
};

}  // namespace

FileStore& localFileStore() {
    static LocalFileStore store;
    return store;
}

}  // namespace quorbel
