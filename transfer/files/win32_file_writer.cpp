#include <optional>

#include "files/file_reader.h"
#include "files/file_writer.h"
#include "files/win32_file_io.h"

namespace vrk {

namespace {

constexpr int kNameAttempts = 100;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kResolvedPathFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;

// What stands at a path once a symbolic link or junction is followed.
struct Target {
    FileResult result;
    bool exists = false;
    bool device = false;
    DWORD attributes = 0;
    DWORD links = 0;
    std::wstring path;
};

std::optional<std::wstring> ResolvedPath(HANDLE file) {
    std::wstring resolved(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = GetFinalPathNameByHandleW(
            file, resolved.data(), static_cast<DWORD>(resolved.size()), kResolvedPathFlags);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < resolved.size()) {
            resolved.resize(length);
            return resolved;
        }
        resolved.resize(length);
    }
    return std::nullopt;
}

Target Look(const std::wstring& path) {
    Target target;
    target.path = path;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) {
            target.result = Failure(FaultOf(error), error);
        }
        return target;
    }
    target.exists = true;
    // Opening with no access follows a link to what it points at, and touches nothing.
    Handle file(CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        target.result = link && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                            ? Failure(FileFault::DanglingLink, error)
                            : Failure(FaultOf(error), error);
        return target;
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        target.device = true;
        return target;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info)) {
        target.result = LastFailure();
        return target;
    }
    target.attributes = info.dwFileAttributes;
    target.links = info.nNumberOfLinks;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // The link stays a link: its target is what gets written.
        const auto resolved = ResolvedPath(file.get());
        if (!resolved) {
            target.result = LastFailure();
            return target;
        }
        target.path = *resolved;
    }
    if ((target.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        target.result = Failure(FileFault::IsFolder, ERROR_DIRECTORY);
    }
    return target;
}

// A file marked read-only stays as it is, whoever asks.
FileResult MayWrite(const Target& target) {
    if ((target.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return Failure(FileFault::Denied, ERROR_ACCESS_DENIED);
    }
    Handle file(CreateFileW(target.path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() ? FileResult{} : LastFailure();
}

// A new file of its own beside `target`, created exclusively; INVALID_HANDLE_VALUE, with the
// error left for GetLastError, when none can be.
HANDLE CreateBeside(const std::wstring& target, DWORD flags, std::wstring& name) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = target + L"." + UniqueName() + L".tmp";
        const HANDLE file =
            CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// Writes `bytes` to `file` and flushes them to the disk; 0 or the error code.
DWORD WriteDurably(HANDLE file, std::string_view bytes) {
    if (const DWORD error = WriteAll(file, bytes); error != 0) {
        return error;
    }
    return FlushFileBuffers(file) ? 0 : GetLastError();
}

// Puts the flushed file `staged` in place of `target`: MoveFileExW for a new name, ReplaceFileW
// for a file that exists, which carries its attributes, ACL and streams over to the new one.
// nullopt when the file cannot be replaced that way (a folder this user may not write, a file
// another program holds open). Unless it succeeds, `staged` keeps its name.
std::optional<FileResult> PutInPlace(const std::wstring& staged, const std::wstring& target,
                                     bool existing) {
    if (!existing) {
        if (!MoveFileExW(staged.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return LastFailure();
        }
        return FileResult{};
    }
    if (ReplaceFileW(target.c_str(), staged.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
        return FileResult{};
    }
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        // The old file is gone already and the new one still has its staged name.
        if (MoveFileExW(staged.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return FileResult{};
        }
        FileResult lost = LastFailure();
        lost.damaged = true;
        return lost;
    }
    if (error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_ACCESS_DENIED ||
        error == ERROR_SHARING_VIOLATION) {
        return std::nullopt;
    }
    return Failure(FaultOf(error), error);
}

// Writes `bytes` beside `target`, flushes them and puts them in its place. nullopt when the copy
// cannot be made or cannot replace the file: the caller writes in place.
std::optional<FileResult> Stage(const std::wstring& target, bool existing, std::string_view bytes) {
    std::wstring staged;
    Handle file(CreateBeside(target, FILE_ATTRIBUTE_NORMAL, staged));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (existing && error == ERROR_ACCESS_DENIED) {
            return std::nullopt;
        }
        return Failure(error == ERROR_ACCESS_DENIED ? FileFault::FolderDenied : FaultOf(error),
                       error);
    }
    DWORD error = WriteDurably(file.get(), bytes);
    if (const DWORD closed = file.Close(); error == 0) {
        error = closed;
    }
    if (error != 0) {
        DeleteFileW(staged.c_str());
        return Failure(FaultOf(error), error);
    }
    const auto placed = PutInPlace(staged, target, existing);
    // A damaged target leaves the staged file as the only whole copy of the new bytes.
    if (!placed || (!placed->ok() && !placed->damaged)) {
        DeleteFileW(staged.c_str());
    }
    return placed;
}

// Gives the open file exactly `bytes`, durably; 0 or the error code.
DWORD WriteWhole(HANDLE file, std::string_view bytes) {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
        return GetLastError();
    }
    if (const DWORD error = WriteAll(file, bytes); error != 0) {
        return error;
    }
    if (!SetEndOfFile(file)) {
        return GetLastError();
    }
    return FlushFileBuffers(file) ? 0 : GetLastError();
}

FileResult WriteInPlace(const std::wstring& target, std::string_view bytes) {
    Handle file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return LastFailure();
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        return LastFailure();
    }
    std::string old;
    if (const DWORD error = ReadAll(file.get(), old, static_cast<std::size_t>(-1),
                                    static_cast<std::size_t>(size.QuadPart));
        error != 0) {
        return Failure(FaultOf(error), error);
    }
    // Room for the longer content, taken before a byte changes; an allocation below the file's
    // size would cut it, so a shorter content needs none.
    if (bytes.size() > old.size()) {
        FILE_ALLOCATION_INFO room{};
        room.AllocationSize.QuadPart = static_cast<LONGLONG>(bytes.size());
        if (!SetFileInformationByHandle(file.get(), FileAllocationInfo, &room, sizeof room)) {
            const DWORD error = GetLastError();
            // A file system or redirector that cannot reserve says so in one of these ways.
            if (error != ERROR_INVALID_PARAMETER && error != ERROR_NOT_SUPPORTED &&
                error != ERROR_INVALID_FUNCTION && error != ERROR_CALL_NOT_IMPLEMENTED) {
                return Failure(FaultOf(error), error);
            }
        }
    }
    FileResult result;
    if (const DWORD error = WriteWhole(file.get(), bytes); error != 0) {
        result = Failure(FaultOf(error), error);
        result.damaged = WriteWhole(file.get(), old) != 0;
    }
    if (const DWORD error = file.Close(); error != 0) {
        if (result.ok()) {
            result = Failure(FaultOf(error), error);
        }
        result.damaged = true;
    }
    return result;
}

FileResult WriteToDevice(const std::wstring& target, std::string_view bytes) {
    Handle device(CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!device.valid()) {
        return LastFailure();
    }
    const DWORD error = WriteAll(device.get(), bytes);
    return error == 0 ? FileResult{} : Failure(FaultOf(error), error);
}

FileResult NotGbk() {
    return Failure(FileFault::Io, ERROR_NO_UNICODE_TRANSLATION);
}

}  // namespace

FileResult WriteFile(const std::string& path, std::string_view bytes) {
    std::wstring wide;
    if (!WidePath(path, wide)) {
        return NotGbk();
    }
    const Target target = Look(wide);
    if (!target.result.ok()) {
        return target.result;
    }
    if (target.device) {
        return WriteToDevice(target.path, bytes);
    }
    if (!target.exists) {
        return *Stage(target.path, false, bytes);
    }
    if (const FileResult allowed = MayWrite(target); !allowed.ok()) {
        return allowed;
    }
    // A rename would split a second hard link off.
    if (target.links <= 1) {
        if (auto staged = Stage(target.path, true, bytes)) {
            return *staged;
        }
    }
    return WriteInPlace(target.path, bytes);
}

namespace {

// The finished file's bytes written to `path` by the writer, for a target that a rename would not
// keep whole; the finished file goes once they are in place.
FileResult CopyIntoPlace(const std::string& finished, const std::wstring& wideFinished,
                         const std::string& path) {
    std::string bytes;
    FileResult result = ReadFile(finished, bytes);
    if (result.ok()) {
        result = WriteFile(path, bytes);
    }
    if (result.ok()) {
        DeleteFileW(wideFinished.c_str());
    }
    return result;
}

}  // namespace

FileResult MoveIntoPlace(const std::string& finished, const std::string& path) {
    std::wstring wideFinished;
    std::wstring wide;
    if (!WidePath(finished, wideFinished) || !WidePath(path, wide)) {
        return NotGbk();
    }
    const Target target = Look(wide);
    if (!target.result.ok()) {
        return target.result;
    }
    if (target.exists) {
        // A link or a device is written through, and a rename would split a second hard link off.
        if (target.device || target.path != wide || target.links > 1) {
            return CopyIntoPlace(finished, wideFinished, path);
        }
        if (const FileResult allowed = MayWrite(target); !allowed.ok()) {
            return allowed;
        }
    }
    Handle file(CreateFileW(wideFinished.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return LastFailure();
    }
    DWORD error = FlushFileBuffers(file.get()) ? 0 : GetLastError();
    if (const DWORD closed = file.Close(); error == 0) {
        error = closed;
    }
    if (error != 0) {
        return Failure(FaultOf(error), error);
    }
    const auto placed = PutInPlace(wideFinished, target.path, target.exists);
    return placed ? *placed : CopyIntoPlace(finished, wideFinished, path);
}

FileResult CheckWritable(const std::string& path) {
    std::wstring wide;
    if (!WidePath(path, wide)) {
        return NotGbk();
    }
    const Target target = Look(wide);
    if (!target.result.ok() || target.device) {
        return target.result;
    }
    if (target.exists) {
        return MayWrite(target);
    }
    const DWORD folder = GetFileAttributesW(DirectoryOf(wide).c_str());
    if (folder == INVALID_FILE_ATTRIBUTES || (folder & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return Failure(FileFault::FolderMissing, ERROR_PATH_NOT_FOUND);
    }
    // Only making a file there tells; this one goes again when it is closed.
    std::wstring probe;
    Handle made(CreateBeside(wide, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, probe));
    if (!made.valid()) {
        const DWORD error = GetLastError();
        return Failure(error == ERROR_ACCESS_DENIED ? FileFault::FolderDenied : FaultOf(error),
                       error);
    }
    return {};
}

RescueCopy WriteRescueCopy(std::string_view stem, std::string_view bytes) {
    RescueCopy copy;
    std::wstring folder(MAX_PATH + 1, L'\0');
    const DWORD length = GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
    std::wstring wideStem;
    if (length == 0 || length > folder.size() || !WidePath(std::string(stem), wideStem)) {
        copy.result = Failure(FileFault::FolderMissing, ERROR_PATH_NOT_FOUND);
        return copy;
    }
    folder.resize(length);
    std::wstring name;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kNameAttempts && created == INVALID_HANDLE_VALUE; ++attempt) {
        name = folder + wideStem + L"-" + UniqueName() + L".txt";
        created = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    Handle file(created);
    if (!file.valid()) {
        copy.result = LastFailure();
        return copy;
    }
    DWORD error = WriteDurably(file.get(), bytes);
    if (const DWORD closed = file.Close(); error == 0) {
        error = closed;
    }
    copy.path = NarrowPath(name);
    if (error != 0 || copy.path.empty()) {
        DeleteFileW(name.c_str());
        copy.result = error != 0 ? Failure(FaultOf(error), error) : NotGbk();
    }
    return copy;
}

FileResult WriteStandardOutput(std::string_view bytes) {
    const DWORD error = WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), bytes);
    return error == 0 ? FileResult{} : Failure(FaultOf(error), error);
}

}  // namespace vrk
