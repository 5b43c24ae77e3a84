#include "shell/dialogs/message_box_prompter.h"

#include <QMessageBox>
#include <QPushButton>

#include "shell/windows/shell_texts.h"

namespace vrk {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void MessageBoxPrompter::showMessage(std::string_view text) {
    QMessageBox::warning(parent_, QString::fromUtf8(texts::kAppTitle), FromUtf8(text));
}

bool MessageBoxPrompter::askYesNo(std::string_view text) {
    return QMessageBox::question(parent_, QString::fromUtf8(texts::kAppTitle), FromUtf8(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

SaveAnswer MessageBoxPrompter::askSaveChanges(const QString& documentName) {
    const auto answer = QMessageBox::warning(
        parent_, QString::fromUtf8(texts::kAppTitle),
        QString::fromUtf8(texts::kSaveChangesTo).arg(documentName),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
        case QMessageBox::Yes:
            return SaveAnswer::Yes;
        case QMessageBox::No:
            return SaveAnswer::No;
        default:
            return SaveAnswer::Cancel;
    }
}

// The findings go into the box's details as well as its text, so a long list stays readable.
bool MessageBoxPrompter::askSendAnyway(const UploadFindings& findings) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(texts::kAppTitle),
                    FromUtf8(kAskSendAnyway), QMessageBox::NoButton, parent_);
    const QString list = QString::fromStdString(FormatFindings(findings)).trimmed();
    constexpr int kLinesShownInText = 12;
    box.setInformativeText(list.section(QLatin1Char('\n'), 0, kLinesShownInText - 1));
    box.setDetailedText(list);
    QPushButton* proceed =
        box.addButton(QString::fromUtf8(texts::kContinue), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QString::fromUtf8(texts::kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == proceed;
}

}  // namespace vrk
