#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "schema/file_format.h"
#include "schema/lock_system.h"

// The lock's contacts with Windows. Names are GBK bytes, as everywhere in the schema: paths are
// converted from code page 936 and the wide calls used, and the user's and the machine's names
// are given back in code page 936 for the lock file and the question that names them.
namespace quorbel {
namespace {

std::wstring wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int units =
        ::MultiByteToWideChar(file_format::kGbkCodePage, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(file_format::kGbkCodePage, 0, text.data(), size, result.data(), units);
    return result;
}

std::string gbk(const wchar_t* text) {
    const int bytes =
        ::WideCharToMultiByte(file_format::kGbkCodePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) {
        return {};
    }
    std::string result(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(file_format::kGbkCodePage, 0, text, -1, result.data(), bytes, nullptr,
                          nullptr);
    result.pop_back();
    return result;
}

std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

class Win32LockSystem final : public LockSystem {
  public:
    std::string userName() override {
        wchar_t name[257] = {};
        DWORD size = 257;
        if (::GetUserNameW(name, &size)) {
            return gbk(name);
        }
        const char* user = std::getenv("USERNAME");
        return user != nullptr ? user : "?";
    }

    std::string hostName() override {
        wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
        DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
        return ::GetComputerNameW(name, &size) ? gbk(name) : std::string("localhost");
    }

    std::int64_t processId() override { return static_cast<std::int64_t>(::GetCurrentProcessId()); }

    std::int64_t now() override { return static_cast<std::int64_t>(std::time(nullptr)); }

    bool processAlive(std::int64_t pid) override {
        if (pid <= 0) {
            return false;
        }
        HANDLE process =
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
        if (process == nullptr) {
            // Access denied: it exists but belongs to another user.
            return ::GetLastError() == ERROR_ACCESS_DENIED;
        }
        DWORD code = 0;
        const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
        ::CloseHandle(process);
        return running;
    }

    CreateResult createExclusive(const std::string& path, std::string_view bytes) override {
        // Written under a private name first and then moved to the lock's name without
        // replacing: the move fails when the name exists, and the lock is never seen empty.
        const std::wstring target = wide(path);
        const std::wstring staged = folderOf(target) + L"\\.quorbel.lock." +
                                    std::to_wstring(::GetCurrentProcessId()) + L".tmp";
        HANDLE file = ::CreateFileW(staged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return CreateResult::Impossible;
        }
        DWORD written = 0;
        const bool complete =
            ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size() && ::FlushFileBuffers(file);
        ::CloseHandle(file);
        CreateResult result = CreateResult::Impossible;
        if (complete) {
            if (::MoveFileExW(staged.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
                return CreateResult::Created;
            }
            const DWORD error = ::GetLastError();
            if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
                result = CreateResult::Exists;
            }
        }
        ::DeleteFileW(staged.c_str());
        return result;
    }

    bool read(const std::string& path, std::string& bytes) override {
        HANDLE file = ::CreateFileW(wide(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        bytes.clear();
        char buffer[512];
        DWORD got = 0;
        bool ok = true;
        while (bytes.size() < 4096) {
            ok = ::ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0;
            if (!ok || got == 0) {
                break;
            }
            bytes.append(buffer, got);
        }
        ::CloseHandle(file);
        return ok;
    }

    bool remove(const std::string& path) override { return ::DeleteFileW(wide(path).c_str()) != 0; }

    std::string localTime(std::int64_t seconds) override {
        const std::time_t time = static_cast<std::time_t>(seconds);
        std::tm local{};
        char text[32] = {};
        if (::localtime_s(&local, &time) != 0 ||
            std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) {
            return std::to_string(seconds);
        }
        return text;
    }
};

}  // namespace

LockSystem::~LockSystem() = default;

LockSystem& localLockSystem() {
    static Win32LockSystem system;
    return system;
}

}  // namespace quorbel
