// vrk410-cli: the transfer program's conversions and transfers for scripts. Each subcommand lives
// in its own file; this only picks one.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_check.h"
#include "cli/cli_convert.h"
#include "cli/cli_exit_codes.h"
#include "cli/cli_export.h"
#include "cli/cli_import.h"
#include "cli/cli_ports.h"
#include "cli/cli_texts.h"
#include "cli/cli_transfer.h"
#include "cli/cli_transfer_args.h"
#include "cli/console.h"
#include "serial/port_failure_reason.h"

namespace {

using vrk::cli::kExitUsage;

void PrintUsage(std::ostream& out) {
    out << "用法:\n"
        << vrk::cli::ConvertUsage() << vrk::cli::TransferUsage() << vrk::cli::PortsUsage()
        << vrk::cli::CheckUsage() << vrk::cli::ImportUsage() << vrk::cli::ExportUsage()
        << "  vrk410-cli --version\n";
}

}  // namespace

int main(int argc, char** argv) {
    vrk::cli::PrepareConsole();
    vrk::SetPortChoiceAdvice({vrk::cli::texts::kChooseDevice, vrk::cli::texts::kCheckDevice});
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    const std::string& command = args.front();
    const std::span<const std::string> rest(args.begin() + 1, args.end());
    if (command == "convert") {
        return vrk::cli::RunConvertCommand(rest);
    }
    if (command == "export") {
        return vrk::cli::RunExportCommand(rest);
    }
    if (command == "import") {
        return vrk::cli::RunImportCommand(rest);
    }
    if (command == "check") {
        return vrk::cli::RunCheckCommand(rest);
    }
    if (vrk::cli::IsTransferCommand(command)) {
        return vrk::cli::RunTransferCommand(args);
    }
    if (command == "ports" && rest.empty()) {
        return vrk::cli::RunPortsCommand(std::cout);
    }
    if (command == "--version" && rest.empty()) {
        std::cout << "vrk410-cli " VRK410_VERSION "\n";
        return 0;
    }
    if (command == "-h" || command == "--help" || command == "help") {
        PrintUsage(std::cout);
        return 0;
    }
    std::cerr << vrk::cli::texts::kProgram << vrk::cli::texts::kUnknownCommand << command << '\n';
    PrintUsage(std::cerr);
    return kExitUsage;
}
