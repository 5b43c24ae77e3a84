#include <windows.h>

#include <algorithm>

#include "serial/com_port_device.h"
#include "serial/serial_port.h"

namespace vrk {

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// The device control block as the instrument's protocol has always set it: its length field holds
// the size of the record.
constexpr DWORD kDcbLength = 28;
static_assert(sizeof(DCB) == kDcbLength);
constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr milliseconds kWaitSlice{50};
constexpr DWORD kReadChunk = 4096;

std::string Utf8(const wchar_t* text, int size) {
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, size, out.data(), bytes, nullptr, nullptr);
    return out;
}

// The system's words for an error code, in UTF-8 like every other text the user reads here.
std::string SystemText(const char* call, DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD size = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = std::string(call) + ": " + std::to_string(error);
    if (size > 0 && buffer != nullptr) {
        std::string words = Utf8(buffer, static_cast<int>(size));
        while (!words.empty() && (words.back() == '\n' || words.back() == '\r')) {
            words.pop_back();
        }
        text += " " + words;
    }
    ::LocalFree(buffer);
    return text;
}

PortFailure Failure(PortStatus status, const char* call, DWORD error) {
    PortFailure failure;
    failure.status = status;
    failure.systemError = static_cast<int>(error);
    failure.systemText = SystemText(call, error);
    return failure;
}

// A COM port is opened without sharing, so "access denied" is another program holding it.
PortStatus OpenStatus(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return PortStatus::Missing;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return PortStatus::Busy;
        case ERROR_GEN_FAILURE:
        case ERROR_DEVICE_NOT_CONNECTED:
            return PortStatus::Unplugged;
        default:
            return PortStatus::IoError;
    }
}

// A USB adapter pulled while open answers with one of the first group; a line whose far end is
// gone with the second.
PortStatus LineStatus(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_BAD_COMMAND:
        case ERROR_GEN_FAILURE:
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_DEVICE_REMOVED:
            return PortStatus::Unplugged;
        case ERROR_BROKEN_PIPE:
        case ERROR_HANDLE_EOF:
        case ERROR_OPERATION_ABORTED:
            return PortStatus::HangUp;
        default:
            return PortStatus::IoError;
    }
}

std::string DevicePath(const std::string& device) {
    return device.rfind(kDevicePrefix, 0) == 0 ? device : std::string(kDevicePrefix) + device;
}

BYTE ParityCode(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return ODDPARITY;
        case Parity::Even:
            return EVENPARITY;
        case Parity::None:
            break;
    }
    return NOPARITY;
}

}  // namespace

struct SerialPort::Line {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::string readAhead;
    std::size_t next = 0;
    DWORD sliceMillis = 0;  // the wait of one ReadFile as last set
};

SerialPort::SerialPort(SerialPortOptions options) : options_(std::move(options)) {}

SerialPort::~SerialPort() {
    close();
}

OpenResult SerialPort::open(const PortParams& params) {
    close();
    failure_ = {};
    device_ = options_.device.empty() ? ComPortDevice(params.portName) : options_.device;
    const HANDLE handle = ::CreateFileA(DevicePath(device_).c_str(), GENERIC_READ | GENERIC_WRITE,
                                        0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        fail(Failure(OpenStatus(error), "CreateFileA", error));
        return OpenResult::CannotOpen;
    }
    line_ = std::make_unique<Line>();
    line_->handle = handle;

    const auto queue = static_cast<DWORD>(params.queueSize);
    if (queue == 0 || !::SetupComm(handle, queue, queue)) {
        const DWORD error = queue == 0 ? ERROR_INVALID_PARAMETER : ::GetLastError();
        fail(Failure(PortStatus::QueuesRefused, "SetupComm", error));
        return OpenResult::CannotCreateBuffers;
    }
    DCB state{};
    state.DCBlength = kDcbLength;
    bool applied = ::GetCommState(handle, &state);
    if (applied) {
        state.DCBlength = kDcbLength;
        state.BaudRate = static_cast<DWORD>(params.baudRate);
        state.ByteSize = static_cast<BYTE>(params.dataBits);
        state.Parity = ParityCode(params.parity);
        state.StopBits = params.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
        applied = ::SetCommState(handle, &state);
    }
    if (!applied) {
        const DWORD error = ::GetLastError();
        PortFailure refused = Failure(PortStatus::SettingsRefused, "SetCommState", error);
        refused.lineSettings = LineSettingsText(params);
        fail(std::move(refused));
        return OpenResult::CannotSetParams;
    }
    // One total time-out per read call, nothing per byte; writes wait as long as they need. The
    // reads below cut that wait into slices of their own so that a quit is seen.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(params.readTimeout.count());
    ::SetCommTimeouts(handle, &timeouts);
    return OpenResult::Ok;
}

// A ReadFile returns as soon as any byte is there, or after `slice` with none: the pair of
// MAXDWORD values asks exactly that of the driver.
ReadResult SerialPort::read(std::size_t count, milliseconds timeout, std::string& out) {
    const auto deadline = Clock::now() + timeout;
    std::size_t got = 0;
    while (line_) {
        Line& line = *line_;
        const std::size_t take = std::min(count - got, line.readAhead.size() - line.next);
        out.append(line.readAhead, line.next, take);
        line.next += take;
        got += take;
        if (got >= count) {
            return ReadResult::Ok;
        }
        if (abandoned()) {
            close();
            return ReadResult::Error;
        }
        const auto remaining = deadline - Clock::now();
        if (remaining <= Clock::duration::zero()) {
            return ReadResult::Timeout;
        }
        const auto slice = static_cast<DWORD>(std::max<long long>(
            1, std::chrono::ceil<milliseconds>(std::min<Clock::duration>(remaining, kWaitSlice))
                   .count()));
        if (slice != line.sliceMillis) {
            COMMTIMEOUTS timeouts{};
            timeouts.ReadIntervalTimeout = MAXDWORD;
            timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
            timeouts.ReadTotalTimeoutConstant = slice;
            ::SetCommTimeouts(line.handle, &timeouts);
            line.sliceMillis = slice;
        }
        char chunk[kReadChunk];
        DWORD n = 0;
        if (!::ReadFile(line.handle, chunk, kReadChunk, &n, nullptr)) {
            const DWORD error = ::GetLastError();
            fail(Failure(LineStatus(error), "ReadFile", error));
            break;
        }
        line.readAhead.assign(chunk, n);
        line.next = 0;
    }
    return ReadResult::Error;
}

bool SerialPort::write(std::string_view bytes) {
    while (line_ && !bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(line_->handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr)) {
            const DWORD error = ::GetLastError();
            fail(Failure(LineStatus(error), "WriteFile", error));
            return false;
        }
        bytes.remove_prefix(written);
        if (written == 0 && abandoned()) {
            close();
            return false;
        }
    }
    return line_ != nullptr;
}

bool SerialPort::drain() {
    if (!line_) {
        return false;
    }
    if (!::FlushFileBuffers(line_->handle)) {
        const DWORD error = ::GetLastError();
        fail(Failure(LineStatus(error), "FlushFileBuffers", error));
        return false;
    }
    return true;
}

void SerialPort::close() {
    if (line_) {
        ::CloseHandle(line_->handle);
        line_.reset();
    }
}

bool SerialPort::isOpen() const {
    return line_ != nullptr;
}

}  // namespace vrk
