#include "attrcheck/run_attrcheck.h"

#include <future>
#include <sstream>
#include <system_error>

#include "attrcheck/attrcheck_options.h"
#include "attrcheck/console_host.h"
#include "schema/attribute_schema.h"
#include "schema/schema_findings.h"
#include "schema/schema_lock.h"

namespace quorbel::attrcheck {
namespace {

std::vector<std::filesystem::path> searchPath(const Options& options, const char* acadPath) {
    if (options.supportPath) {
        return SearchPathFinder::parseSearchPath(*options.supportPath);
    }
    if (acadPath != nullptr && *acadPath != '\0') {
        return SearchPathFinder::parseSearchPath(acadPath);
    }
    return {std::filesystem::path(".")};
}

void reportUnreadable(const AttributeSchema& schema, std::ostream& out) {
    if (schema.indexLoadState() == FileLoadState::Unreadable) {
        out << "INDEX.INI 找到了但无法读取\n";
    }
    if (schema.attributeDefLoadState() == FileLoadState::Unreadable) {
        out << "attribute.def 找到了但无法读取\n";
    }
}

void printFindings(const std::vector<std::string>& findings, std::ostream& out) {
    for (const auto& line : findings) {
        out << line << '\n';
    }
    out << (findings.empty() ? "未发现问题\n"
                             : "共报告 " + std::to_string(findings.size()) + " 项\n");
}

// Takes the lock and writes both files; what it has to say goes to out.
bool rewriteFiles(AttributeSchema& schema, const Options& options, std::ostream& out) {
    // Held while writing, so an administrator opening the dialog meanwhile is told.
    SchemaLocks lock;
    if (lock.acquire(schema.schemaFolders()) == SchemaLock::State::HeldByOther && !options.force) {
        out << lock.holderTextUtf8() << ",未写入任何文件。确认无人在编辑后,可加 --force 写入\n";
        return false;
    }
    if (!schema.saveSchema()) {
        out << "保存失败\n";
        return false;
    }
    out << "已保存 INDEX.INI 和 attribute.def\n";
    return true;
}

// The check reads the records, tables and notes, which writing only reads too (writing changes
// nothing but its own buffer and the versions it remembers), so on a second core the check costs
// no time. Its report still comes first: what writing says waits for it.
bool checkWhileRewriting(AttributeSchema& schema, ConsoleHost& host, const Options& options,
                         std::vector<std::string>& findings, std::ostream& out) {
    std::future<std::vector<std::string>> checking;
    try {
        checking = std::async(std::launch::async, [&schema] { return schemaFindings(schema); });
    } catch (const std::system_error&) {
        // No thread to be had: one after the other.
        findings = schemaFindings(schema);
        printFindings(findings, out);
        return rewriteFiles(schema, options, out);
    }
    std::ostringstream written;
    host.divertTo(written);
    const bool rewritten = rewriteFiles(schema, options, written);
    host.divertTo(out);
    findings = checking.get();
    printFindings(findings, out);
    out << written.str();
    return rewritten;
}

}  // namespace

int runAttrcheck(const std::vector<std::string_view>& args, const char* acadPath, std::ostream& out,
                 std::ostream& err) {
    Options options;
    std::string error;
    if (!parseOptions(args, options, error)) {
        err << "attrcheck: " << error << '\n' << kUsage;
        return kExitUsage;
    }
    if (options.help) {
        out << kUsage;
        return kExitOk;
    }
    const auto directories = searchPath(options, acadPath);
    if (directories.empty()) {
        err << "attrcheck: the support path is empty\n";
        return kExitUsage;
    }
    ConsoleHost host(SearchPathFinder(directories), out);
    AttributeSchema schema(host);
    const bool loaded = schema.loadSchema();
    reportUnreadable(schema, out);
    if (!loaded) {
        out << "载入失败\n";
        return kExitFailed;
    }
    out << "已载入 " << schema.tables().size() << " 张表, " << schema.features().size()
        << " 个地物\n";
    std::vector<std::string> findings;
    if (options.rewrite) {
        if (!checkWhileRewriting(schema, host, options, findings, out)) {
            return kExitFailed;
        }
    } else {
        findings = schemaFindings(schema);
        printFindings(findings, out);
    }
    return (options.strict && !findings.empty()) ? kExitFindings : kExitOk;
}

}  // namespace quorbel::attrcheck
