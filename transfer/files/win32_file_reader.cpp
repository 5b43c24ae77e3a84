#include "files/file_reader.h"
#include "files/win32_file_io.h"

namespace vrk {

namespace {

FileResult ReadOpen(HANDLE file, std::string& bytes, std::size_t limit, std::size_t expected) {
    if (const DWORD error = ReadAll(file, bytes, limit, expected); error != 0) {
        return Failure(FaultOf(error), error);
    }
    if (bytes.size() > limit) {
        bytes.clear();
        return Failure(FileFault::TooLarge, ERROR_FILE_TOO_LARGE);
    }
    return {};
}

}  // namespace

FileResult ReadFile(const std::string& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    std::wstring wide;
    if (!WidePath(path, wide)) {
        return Failure(FileFault::Io, ERROR_NO_UNICODE_TRANSLATION);
    }
    Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return Failure(FileFault::IsFolder, error);
        }
        return Failure(FaultOf(error), error);
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        return LastFailure();
    }
    if (static_cast<unsigned long long>(size.QuadPart) > limit) {
        return Failure(FileFault::TooLarge, ERROR_FILE_TOO_LARGE);
    }
    // Read one byte past the limit: a file that grows while it is read is still refused.
    return ReadOpen(file.get(), bytes, limit, static_cast<std::size_t>(size.QuadPart));
}

FileResult ReadStandardInput(std::string& bytes) {
    return ReadOpen(GetStdHandle(STD_INPUT_HANDLE), bytes, static_cast<std::size_t>(-1), 0);
}

}  // namespace vrk
