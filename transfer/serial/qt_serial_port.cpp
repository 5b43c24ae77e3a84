#include "serial/qt_serial_port.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <QFileInfo>
#include <QSerialPort>
#include <algorithm>
#include <cerrno>
#include <system_error>
#include <thread>
#include <utility>

#include "link/parity_name.h"
#include "serial/com_port_device.h"
#include "serial/open_failure_reason.h"

namespace vrk {

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// Waits are cut into slices this long so that a request to quit is seen promptly while a read
// waits out a long receive delay.
constexpr milliseconds kWaitSlice{50};
constexpr milliseconds kDrainPoll{5};

QSerialPort::DataBits ToDataBits(int bits) {
    return bits == 7 ? QSerialPort::Data7 : QSerialPort::Data8;
}

QSerialPort::Parity ToParity(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return QSerialPort::OddParity;
        case Parity::Even:
            return QSerialPort::EvenParity;
        case Parity::None:
            break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits ToStopBits(int bits) {
    return bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
}

// QSerialPort's lock file is named after the path it is given, so a symlink (an emulator's
// link, a udev alias) and its target would get two locks and both open. Lock the real device.
QString LockablePath(const std::string& device) {
    const QString path = QString::fromStdString(device);
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

// The system's own words for an errno, safe to call from the transfer thread.
std::string SystemText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// Once the far end has hung up, QSerialPort keeps answering its waits at once with an error (or
// with "ready" and nothing to read), so a caller that retries would spin. poll() tells a hang-up
// apart from silence directly. The answer is what the system reported, empty while the line is
// there.
std::string HangUp(int fd) {
    pollfd entry{fd, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, 0);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) {
        return "poll: " + SystemText(errno);
    }
    if ((entry.revents & POLLHUP) != 0) {
        return "poll 报告 POLLHUP";
    }
    if ((entry.revents & POLLERR) != 0) {
        return "poll 报告 POLLERR";
    }
    if ((entry.revents & POLLNVAL) != 0) {
        return "poll 报告 POLLNVAL";
    }
    return {};
}

OpenErrorHint HintFor(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::DeviceNotFoundError:
            return OpenErrorHint::NotFound;
        case QSerialPort::PermissionError:
            return OpenErrorHint::Permission;
        default:
            return OpenErrorHint::Other;
    }
}

std::string LineSettings(const PortParams& params) {
    return "波特率 " + std::to_string(params.baudRate) + "，" + std::to_string(params.dataBits) +
           " 位数据位，" + std::to_string(params.stopBits) + " 位停止位，" +
           std::string(ParityName(params.parity));
}

int WaitMillis(Clock::duration remaining) {
    const auto slice = std::min<Clock::duration>(remaining, kWaitSlice);
    return static_cast<int>(std::chrono::ceil<milliseconds>(slice).count());
}

}  // namespace

QtSerialPort::QtSerialPort(SerialPortOptions options) : options_(std::move(options)) {}

QtSerialPort::~QtSerialPort() {
    close();
}

OpenResult QtSerialPort::open(const PortParams& params) {
    close();
    failureReason_.clear();
    device_ = options_.device.empty() ? ComPortDevice(params.portName) : options_.device;
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(LockablePath(device_));
    if (!port_->open(QIODevice::ReadWrite)) {
        const OpenErrorHint hint = HintFor(port_->error());
        port_.reset();
        failureReason_ = OpenFailureReason(device_, hint);
        return OpenResult::CannotOpen;
    }
    // The queue size is a limit on what the port holds unread; zero would mean "no limit" to
    // QSerialPort, which is not the queue that was asked for.
    if (params.queueSize == 0) {
        close();
        failureReason_ = BuffersFailureReason(device_);
        return OpenResult::CannotCreateBuffers;
    }
    port_->setReadBufferSize(static_cast<qint64>(params.queueSize));
    const bool applied = port_->setBaudRate(params.baudRate) &&
                         port_->setDataBits(ToDataBits(params.dataBits)) &&
                         port_->setParity(ToParity(params.parity)) &&
                         port_->setStopBits(ToStopBits(params.stopBits));
    if (!applied) {
        close();
        failureReason_ = SetParamsFailureReason(device_, LineSettings(params));
        return OpenResult::CannotSetParams;
    }
    return OpenResult::Ok;
}

ReadResult QtSerialPort::read(std::size_t count, milliseconds timeout, std::string& out) {
    const auto deadline = Clock::now() + timeout;
    std::size_t got = 0;
    while (port_) {
        if (got < count) {
            const QByteArray bytes = port_->read(static_cast<qint64>(count - got));
            out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            got += static_cast<std::size_t>(bytes.size());
        }
        if (got >= count) {
            return ReadResult::Ok;
        }
        if (options_.abandoned != nullptr && options_.abandoned->load()) {
            close();
            return ReadResult::Error;
        }
        if (std::string hangUp = HangUp(port_->handle()); !hangUp.empty()) {
            lostConnection(hangUp);
            break;
        }
        const auto remaining = deadline - Clock::now();
        if (remaining <= Clock::duration::zero()) {
            return ReadResult::Timeout;
        }
        port_->clearError();
        if (!port_->waitForReadyRead(WaitMillis(remaining))) {
            const auto error = port_->error();
            if (error != QSerialPort::TimeoutError && error != QSerialPort::NoError) {
                lostConnection(port_->errorString().toStdString());
                break;
            }
        }
    }
    close();
    return ReadResult::Error;
}

bool QtSerialPort::write(std::string_view bytes) {
    if (!port_) {
        return false;
    }
    if (std::string hangUp = HangUp(port_->handle()); !hangUp.empty()) {
        lostConnection(hangUp);
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (port_->write(bytes.data(), size) != size) {
        lostConnection(port_->errorString().toStdString());
        return false;
    }
    return pushPendingWrites();
}

// Without an event loop nothing moves QSerialPort's write buffer into the driver; push it now so
// that a byte written before a read is on its way while the read waits.
bool QtSerialPort::pushPendingWrites() {
    while (port_ && port_->bytesToWrite() > 0) {
        if (options_.abandoned != nullptr && options_.abandoned->load()) {
            close();
            return false;
        }
        port_->clearError();
        if (!port_->waitForBytesWritten(static_cast<int>(kWaitSlice.count()))) {
            const auto error = port_->error();
            if (error != QSerialPort::TimeoutError && error != QSerialPort::NoError) {
                lostConnection(port_->errorString().toStdString());
                return false;
            }
            if (std::string hangUp = HangUp(port_->handle()); !hangUp.empty()) {
                lostConnection(hangUp);
                return false;
            }
        }
    }
    return port_ != nullptr;
}

bool QtSerialPort::drain() {
    if (!pushPendingWrites()) {
        return false;
    }
    // Wait for the queue in slices so that a quit is seen; tcdrain then only waits for the
    // last character to leave, and cannot hold the thread on a line that no longer moves.
    int queued = 0;
    while (::ioctl(port_->handle(), TIOCOUTQ, &queued) == 0 && queued > 0) {
        if (options_.abandoned != nullptr && options_.abandoned->load()) {
            close();
            return false;
        }
        std::this_thread::sleep_for(kDrainPoll);
    }
    int result = 0;
    do {
        result = ::tcdrain(port_->handle());
    } while (result < 0 && errno == EINTR);
    if (result < 0) {
        lostConnection("tcdrain: " + SystemText(errno));
        return false;
    }
    return true;
}

// The far end went away (cable or adapter pulled, an emulator ended): the port is dead. What the
// system said is kept with the advice, for whoever reads the transcript or is asked for help.
void QtSerialPort::lostConnection(const std::string& systemText) {
    failureReason_ = "与设备 " + device_ + " 的连接已断开：请检查串口线或 USB 转换器是否已拔出。";
    if (!systemText.empty()) {
        failureReason_ += "（系统：" + systemText + "）";
    }
    close();
}

void QtSerialPort::close() {
    if (port_) {
        port_->close();
        port_.reset();
    }
}

bool QtSerialPort::isOpen() const {
    return port_ != nullptr;
}

}  // namespace vrk
