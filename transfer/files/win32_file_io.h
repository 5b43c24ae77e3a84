#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "files/file_result.h"

namespace vrk {

// Paths reach the writer as the program holds every text: code page 936 bytes. They are turned
// into UTF-16 here, with that code page named, so the wide calls see the same name whatever the
// system's ANSI code page is; false for bytes that are not GBK.
bool WidePath(const std::string& path, std::wstring& wide);
// The other way, for a path the writer made (a rescue copy): empty when GBK cannot hold it.
std::string NarrowPath(const std::wstring& wide);

// What a system error code means for reading or writing a file. FileResult::error holds the code.
FileFault FaultOf(DWORD error);
FileResult Failure(FileFault fault, DWORD error);
FileResult LastFailure();

std::wstring DirectoryOf(const std::wstring& path);

// A word for a new file's name that no other call in this process gets ("4711-3").
std::wstring UniqueName();

// 0, or the error code of the write that failed; a write that takes nothing counts as a failure.
DWORD WriteAll(HANDLE file, std::string_view bytes);
// What `file` holds from where it stands to its end, stopping once `bytes` holds more than
// `limit`; 0 or the error code. A pipe whose writer has gone has simply ended.
DWORD ReadAll(HANDLE file, std::string& bytes, std::size_t limit, std::size_t expected);

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    // 0, or the error code of a close that failed.
    DWORD Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) ? 0 : GetLastError();
    }

  private:
    HANDLE handle_;
};

}  // namespace vrk
