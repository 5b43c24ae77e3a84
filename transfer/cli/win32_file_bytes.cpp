#include <windows.h>

#include <string>

#include "cli/file_bytes.h"

// The Windows side of the program's file promises. Paths are GBK bytes, as the user typed them
// on a Chinese system; they are converted explicitly from code page 936 and the wide calls used,
// whatever code page the process runs under.
namespace vrk::cli {

namespace {

constexpr UINT kGbk = 936;
constexpr DWORD kChunk = 1 << 16;
constexpr const wchar_t* kStagedSuffix = L".vrk410-new";

std::wstring Wide(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const int size = static_cast<int>(path.size());
    const int units = ::MultiByteToWideChar(kGbk, 0, path.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(kGbk, 0, path.data(), size, wide.data(), units);
    return wide;
}

std::string Gbk(const std::wstring& path) {
    if (path.empty()) {
        return {};
    }
    const int size = static_cast<int>(path.size());
    const int bytes =
        ::WideCharToMultiByte(kGbk, 0, path.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(kGbk, 0, path.data(), size, out.data(), bytes, nullptr, nullptr);
    return out;
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
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
std::wstring ExistingName(const std::wstring& path) {
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

bool ReadToEnd(HANDLE in, std::string& bytes) {
    char buffer[kChunk];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(in, buffer, kChunk, &got, nullptr)) {
            // A pipe whose writer has finished ends this way.
            return ::GetLastError() == ERROR_BROKEN_PIPE;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer, got);
    }
}

bool WriteAllTo(HANDLE out, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = bytes.size() < kChunk ? static_cast<DWORD>(bytes.size()) : kChunk;
        DWORD written = 0;
        if (!::WriteFile(out, bytes.data(), piece, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A read-only file, a folder, or a file whose security refuses this user is never written.
bool MayWriteExisting(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }
    Handle probe(::CreateFileW(path.c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.valid();
}

bool WriteNewFile(const std::wstring& path, std::string_view bytes, DWORD disposition) {
    Handle out(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!out.valid()) {
        return false;
    }
    const bool written = WriteAllTo(out.get(), bytes) && ::FlushFileBuffers(out.get());
    if (!out.close() || !written) {
        ::DeleteFileW(path.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    Handle in(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return in.valid() && ReadToEnd(in.get(), bytes);
}

bool ReadStandardInput(std::string& bytes) {
    return ReadToEnd(::GetStdHandle(STD_INPUT_HANDLE), bytes);
}

bool CanWriteFile(const std::string& path) {
    const std::wstring wide = Wide(path);
    if (Exists(wide)) {
        return MayWriteExisting(wide);
    }
    // A new file: the folder must take one. Try with a file that is gone again once closed.
    const std::wstring probe = wide + kStagedSuffix;
    Handle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.valid();
}

// The new content goes beside the file, written through to the disk, and takes the file's place
// only once whole: ReplaceFileW keeps the earlier file's attributes and security, MoveFileExW
// places a new one.
bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    const std::wstring target = ExistingName(Wide(path));
    const bool exists = Exists(target);
    if (exists && !MayWriteExisting(target)) {
        return false;
    }
    const std::wstring staged = target + kStagedSuffix;
    if (!WriteNewFile(staged, bytes, CREATE_ALWAYS)) {
        return false;
    }
    bool placed = exists && ::ReplaceFileW(target.c_str(), staged.c_str(), nullptr,
                                           REPLACEFILE_WRITE_THROUGH, nullptr, nullptr) != FALSE;
    if (!placed) {
        placed = ::MoveFileExW(staged.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    if (!placed) {
        ::DeleteFileW(staged.c_str());
    }
    return placed;
}

std::string WriteRefusalReason(const std::string& path) {
    const std::wstring wide = Wide(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return "：文件为只读，原文件保持不变";
    }
    return MayWriteExisting(wide) ? std::string() : "：没有写入权限，原文件保持不变";
}

std::string WriteRescueFile(std::string_view bytes) {
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    if (::GetTempPathW(MAX_PATH + 1, folder) == 0 ||
        ::GetTempFileNameW(folder, L"vrk", 0, name) == 0) {
        return {};
    }
    if (!WriteNewFile(name, bytes, CREATE_ALWAYS)) {
        return {};
    }
    return Gbk(name);
}

bool WriteStandardOutput(std::string_view bytes) {
    return WriteAllTo(::GetStdHandle(STD_OUTPUT_HANDLE), bytes);
}

}  // namespace vrk::cli
