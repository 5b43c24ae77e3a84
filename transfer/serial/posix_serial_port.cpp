#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <system_error>
#include <thread>

#include "serial/com_port_device.h"
#include "serial/posix_port_holder.h"
#include "serial/serial_port.h"

namespace vrk {

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// Waits are cut into slices this long so that a request to quit is seen promptly while a read
// waits out a long receive delay.
constexpr milliseconds kWaitSlice{50};
constexpr milliseconds kDrainPoll{5};
// One read() takes what the driver holds, up to this; the download asks for one byte at a time.
constexpr std::size_t kReadChunk = 4096;

struct BaudCode {
    int rate;
    speed_t code;
};
constexpr std::array<BaudCode, 5> kBaudCodes = {
    {{1200, B1200}, {2400, B2400}, {4800, B4800}, {9600, B9600}, {19200, B19200}}};

std::optional<speed_t> SpeedFor(int rate) {
    for (const BaudCode& baud : kBaudCodes) {
        if (baud.rate == rate) {
            return baud.code;
        }
    }
    return std::nullopt;
}

std::string SystemText(const char* call, int error) {
    return std::string(call) + ": " + std::error_code(error, std::generic_category()).message();
}

// A read or write that failed: EIO or end of file is the far end gone (a pty whose master
// closed, a cable pulled), ENXIO and ENODEV an adapter unplugged.
PortFailure LineFailure(const char* call, int error) {
    PortFailure failure;
    failure.systemError = error;
    failure.systemText = SystemText(call, error);
    switch (error) {
        case EIO:
            failure.status = PortStatus::HangUp;
            break;
        case ENXIO:
        case ENODEV:
            failure.status = PortStatus::Unplugged;
            break;
        default:
            failure.status = PortStatus::IoError;
            break;
    }
    return failure;
}

PortFailure HungUp(std::string systemText) {
    PortFailure failure;
    failure.status = PortStatus::HangUp;
    failure.systemText = std::move(systemText);
    return failure;
}

// Raw bytes both ways, no flow control, the receiver on, modem lines ignored: the instrument's
// protocol is all in the bytes.
termios LineFor(termios line, speed_t speed, const PortParams& params) {
    ::cfmakeraw(&line);
    line.c_cflag |= CLOCAL | CREAD;
    line.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS | CSIZE | PARENB | PARODD | CSTOPB);
    line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    line.c_cflag |= params.dataBits == 7 ? CS7 : CS8;
    if (params.parity != Parity::None) {
        line.c_cflag |= PARENB;
        line.c_iflag |= INPCK;
        if (params.parity == Parity::Odd) {
            line.c_cflag |= PARODD;
        }
    }
    if (params.stopBits == 2) {
        line.c_cflag |= CSTOPB;
    }
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    ::cfsetispeed(&line, speed);
    ::cfsetospeed(&line, speed);
    return line;
}

// tcsetattr succeeds when the driver took any part of the request; a pseudo-terminal, for one,
// keeps 8 bits without parity whatever it is asked. Read back and compare.
bool Applied(const termios& asked, const termios& got) {
    constexpr tcflag_t kFrame = CSIZE | PARENB | PARODD | CSTOPB;
    return (asked.c_cflag & kFrame) == (got.c_cflag & kFrame) &&
           ::cfgetispeed(&asked) == ::cfgetispeed(&got) &&
           ::cfgetospeed(&asked) == ::cfgetospeed(&got);
}

int PollMillis(Clock::duration remaining) {
    const auto slice = std::min<Clock::duration>(remaining, kWaitSlice);
    return static_cast<int>(std::chrono::ceil<milliseconds>(slice).count());
}

}  // namespace

struct SerialPort::Line {
    int fd = -1;
    PortLockFile lock;
    std::string readAhead;
    std::size_t next = 0;  // first unread byte of readAhead

    // After a hang-up the driver may still hold bytes that arrived before it: they are the
    // instrument's, and are read before the line is declared dead.
    bool takeLastBytes() {
        char chunk[kReadChunk];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) {
            return false;
        }
        readAhead.assign(chunk, static_cast<std::size_t>(n));
        next = 0;
        return true;
    }
};

SerialPort::SerialPort(SerialPortOptions options) : options_(std::move(options)) {}

SerialPort::~SerialPort() {
    close();
}

OpenResult SerialPort::open(const PortParams& params) {
    close();
    failure_ = {};
    device_ = options_.device.empty() ? ComPortDevice(params.portName) : options_.device;
    auto line = std::make_unique<Line>();
    if (!line->lock.acquire(RealDevicePath(device_))) {
        PortFailure busy;
        busy.status = PortStatus::Busy;
        FindPortHolder(device_, busy);
        fail(std::move(busy));
        return OpenResult::CannotOpen;
    }
    line->fd = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (line->fd < 0) {
        fail(ClassifyOpenFailure(device_, errno));
        return OpenResult::CannotOpen;
    }
    // Without sharing: a second open fails (root is let through by the kernel, not by the lock).
    ::ioctl(line->fd, TIOCEXCL);
    line_ = std::move(line);

    termios current{};
    if (::tcgetattr(line_->fd, &current) != 0) {
        PortFailure notSerial;
        notSerial.status = PortStatus::NotSerialPort;
        notSerial.systemError = errno;
        notSerial.systemText = SystemText("tcgetattr", errno);
        fail(std::move(notSerial));
        return OpenResult::CannotOpen;
    }
    // A queue of no bytes is no queue; the driver's own buffers are larger than the 128 bytes
    // asked, which only spares the instrument waits.
    if (params.queueSize == 0) {
        PortFailure queues;
        queues.status = PortStatus::QueuesRefused;
        fail(std::move(queues));
        return OpenResult::CannotCreateBuffers;
    }
    const auto speed = SpeedFor(params.baudRate);
    termios asked{};
    termios got{};
    if (!speed || (asked = LineFor(current, *speed, params),
                   ::tcsetattr(line_->fd, TCSANOW, &asked) != 0 ||
                       ::tcgetattr(line_->fd, &got) != 0 || !Applied(asked, got))) {
        PortFailure refused;
        refused.status = PortStatus::SettingsRefused;
        refused.lineSettings = LineSettingsText(params);
        fail(std::move(refused));
        return OpenResult::CannotSetParams;
    }
    return OpenResult::Ok;
}

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
        char chunk[kReadChunk];
        const ssize_t n = ::read(line.fd, chunk, sizeof chunk);
        if (n > 0) {
            line.readAhead.assign(chunk, static_cast<std::size_t>(n));
            line.next = 0;
            continue;
        }
        // With no byte waiting, a raw line answers 0 (or EAGAIN): poll tells silence from a far
        // end that is gone.
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            fail(LineFailure("read", errno));
            break;
        }
        const auto remaining = deadline - Clock::now();
        if (remaining <= Clock::duration::zero()) {
            return ReadResult::Timeout;
        }
        pollfd entry{line.fd, POLLIN, 0};
        if (::poll(&entry, 1, PollMillis(remaining)) < 0 && errno != EINTR) {
            fail(LineFailure("poll", errno));
            break;
        }
        if ((entry.revents & POLLNVAL) != 0) {
            fail(LineFailure("poll", EBADF));
            break;
        }
        if ((entry.revents & (POLLHUP | POLLERR)) != 0 && !line.takeLastBytes()) {
            fail(
                HungUp((entry.revents & POLLHUP) != 0 ? "poll 报告 POLLHUP" : "poll 报告 POLLERR"));
            break;
        }
    }
    return ReadResult::Error;
}

bool SerialPort::write(std::string_view bytes) {
    while (line_ && !bytes.empty()) {
        const ssize_t n = ::write(line_->fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            fail(LineFailure("write", errno));
            return false;
        }
        if (abandoned()) {
            close();
            return false;
        }
        pollfd entry{line_->fd, POLLOUT, 0};
        if (::poll(&entry, 1, static_cast<int>(kWaitSlice.count())) < 0 && errno != EINTR) {
            fail(LineFailure("poll", errno));
            return false;
        }
        if ((entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0 &&
            (entry.revents & POLLOUT) == 0) {
            fail(HungUp("poll 报告 POLLHUP"));
            return false;
        }
    }
    return line_ != nullptr;
}

bool SerialPort::drain() {
    if (!line_) {
        return false;
    }
    // Wait for the queue in slices so that a quit is seen; tcdrain then only waits for the last
    // character to leave, and cannot hold the thread on a line that no longer moves.
    int queued = 0;
    while (::ioctl(line_->fd, TIOCOUTQ, &queued) == 0 && queued > 0) {
        if (abandoned()) {
            close();
            return false;
        }
        std::this_thread::sleep_for(kDrainPoll);
    }
    int result = 0;
    do {
        result = ::tcdrain(line_->fd);
    } while (result < 0 && errno == EINTR);
    if (result < 0) {
        fail(LineFailure("tcdrain", errno));
        return false;
    }
    return true;
}

void SerialPort::close() {
    if (line_) {
        ::close(line_->fd);
        line_.reset();
    }
}

bool SerialPort::isOpen() const {
    return line_ != nullptr;
}

}  // namespace vrk
