#include "serial/port_failure_reason.h"

#include <utility>

namespace vrk {

namespace {

PortChoiceAdvice& Advice() {
    static PortChoiceAdvice advice{"在“通讯”菜单的“端口映射”中为该端口选择实际存在的设备",
                                   "在“通讯”菜单的“端口映射”中检查该端口对应的设备"};
    return advice;
}

std::string SystemSaid(const PortFailure& failure) {
    return failure.systemText.empty() ? std::string() : "（系统：" + failure.systemText + "）";
}

std::string InUse(const PortFailure& failure) {
    if (failure.holderPid == 0) {
        return "设备 " + failure.device + " 正被另一个程序占用：请先关闭使用该串口的程序，再重试。";
    }
    const std::string who =
        "进程 " + std::to_string(failure.holderPid) +
        (failure.holderName.empty() ? std::string() : "“" + failure.holderName + "”");
    return "设备 " + failure.device + " 正被另一个程序占用（" + who +
           "）：请先关闭该程序，再重试。";
}

std::string AccessDenied(const PortFailure& failure) {
    const std::string& group = failure.owningGroup;
    if (group.empty() || group == "root") {
        // There is no group the user could join: only an administrator can open the device.
        return "没有权限打开设备 " + failure.device + (group.empty() ? "" : "（属于 root）") +
               "：请让管理员授予访问权限，例如用 udev 规则把该设备交给 dialout 组并把用户加入该组"
               "。";
    }
    const std::string user = failure.userName.empty() ? "用户名" : failure.userName;
    return "没有权限打开设备 " + failure.device + "（属于用户组 " + group +
           "）：请让管理员把用户 " + user + " 加入 " + group + " 组（sudo usermod -aG " + group +
           " " + user + "），然后注销并重新登录。";
}

}  // namespace

void SetPortChoiceAdvice(PortChoiceAdvice advice) {
    Advice() = std::move(advice);
}

std::string PortFailureReason(const PortFailure& failure) {
    const std::string& device = failure.device;
    switch (failure.status) {
        case PortStatus::Ok:
            return {};
        case PortStatus::Missing:
            return "设备 " + device + " 不存在：请接好串口线或 USB 转换器，或" +
                   Advice().chooseDevice + "。";
        case PortStatus::AccessDenied:
            return AccessDenied(failure);
        case PortStatus::Busy:
            return InUse(failure);
        case PortStatus::Unplugged:
            return "设备 " + device + " 已不可用：USB 转换器可能已拔出，请重新插好后再试。";
        case PortStatus::NotSerialPort:
            return "设备 " + device + " 不是可用的串口：请" + Advice().checkDevice + "。";
        case PortStatus::SettingsRefused:
            return "设备 " + device + " 不接受通讯参数（" + failure.lineSettings +
                   "）：它可能不是串口，或其驱动不支持这些参数；请在“通讯参数”中改用其他参数，或检"
                   "查端口映射。";
        case PortStatus::QueuesRefused:
            return "设备 " + device + " 不接受收发缓冲区的设置：请检查端口映射是否指向串口设备。";
        case PortStatus::HangUp:
            return "与设备 " + device + " 的连接已断开：请检查串口线或 USB 转换器是否已拔出。" +
                   SystemSaid(failure);
        case PortStatus::IoError:
            return "与设备 " + device + " 通讯时出错：请检查串口线或 USB 转换器，再重试。" +
                   SystemSaid(failure);
    }
    return {};
}

}  // namespace vrk
