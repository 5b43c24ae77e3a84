#include "shell/vrk410_app.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>

#include "shell/dialogs/message_box_prompter.h"
#include "shell/dialogs/qt_shell_dialogs.h"
#include "shell/printing/text_printer.h"
#include "shell/windows/main_frame.h"
#include "shell/windows/recent_file_list.h"
#include "shell/windows/vrk410_doc.h"
#include "shell/windows/vrk410_view.h"

namespace vrk {

CVRK410App::CVRK410App() : CVRK410App(Overrides{}) {}

CVRK410App::CVRK410App(Overrides overrides) {
    if (overrides.prompter == nullptr) {
        ownPrompter_ = std::make_unique<MessageBoxPrompter>();
    }
    prompter_ = overrides.prompter != nullptr ? overrides.prompter : ownPrompter_.get();
    if (overrides.dialogs == nullptr) {
        ownDialogs_ = std::make_unique<QtShellDialogs>(*prompter_);
    }
    dialogs_ = overrides.dialogs != nullptr ? overrides.dialogs : ownDialogs_.get();
    recent_ = std::make_unique<RecentFileList>();
    recent_->load();
    PortFactory factory =
        overrides.portFactory ? std::move(overrides.portFactory) : SerialPortFactory();
    view_ = std::make_unique<CVRK410View>(
        CVRK410View::Services{*prompter_, *dialogs_, std::move(factory), overrides.sleeper});
    doc_ = std::make_unique<CVRK410Doc>(*view_, *prompter_, *dialogs_, *recent_);
    frame_ = std::make_unique<CMainFrame>(*view_, *doc_, *dialogs_, *recent_);
    if (ownPrompter_) {
        ownPrompter_->setParent(frame_.get());
    }
}

CVRK410App::~CVRK410App() {
    frame_.reset();
    doc_.reset();
    view_.reset();
}

bool CVRK410App::printFile(const QString& fileName, const QString& printerName) {
    if (!doc_->OpenDocumentFile(fileName)) {
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (printerName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        // No printer in the office machine's queue is needed to get a paper copy later.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printerName);
    } else {
        const QPrinterInfo info = printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                        : QPrinterInfo::printerInfo(printerName);
        if (info.isNull()) {
            std::fprintf(stderr, "vrk410: no printer %s\n",
                         printerName.isEmpty()
                             ? "is set up as the default"
                             : qPrintable(QStringLiteral("named ") + printerName));
            return false;
        }
        printer.setPrinterName(info.printerName());
    }
    PrintText(view_->toPlainText(), view_->font(), printer);
    return true;
}

bool CVRK410App::InitInstance(const QStringList& args, bool* exitNow) {
    if (exitNow != nullptr) {
        *exitNow = false;
    }
    const CommandLineInfo info = ParseCommandLine(args);
    switch (info.action) {
        case CommandLineInfo::Action::FileNew:
            doc_->OnNewDocument();
            break;
        case CommandLineInfo::Action::FileOpen:
            if (!doc_->OpenDocumentFile(info.fileName)) {
                return false;
            }
            break;
        case CommandLineInfo::Action::FilePrint:
        case CommandLineInfo::Action::FilePrintTo:
            if (exitNow != nullptr) {
                *exitNow = true;
            }
            return printFile(info.fileName, info.printerName);
        case CommandLineInfo::Action::Invalid:
            std::fprintf(stderr,
                         "usage: vrk410 [FILE]\n"
                         "       vrk410 /p FILE            (also --print FILE)\n"
                         "       vrk410 /pt FILE PRINTER   (also --print-to; PRINTER may be "
                         "a .pdf file)\n");
            return false;
    }
    frame_->show();
    return true;
}

}  // namespace vrk
