// Shows the import dialog on a file and saves a picture of it:
//   import_screenshot INPUT OUTPUT.png
#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

#include "import/survey_import.h"
#include "shell/import/import_dlg.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: import_screenshot INPUT OUTPUT.png\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        return 1;
    }
    const QByteArray bytes = file.readAll();
    std::string text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const vrk::ImportFormat format = vrk::DetectImportFormat(text);
    vrk::CImportDlg dialog(file.fileName(), std::move(text), format, {});
    dialog.show();
    bool saved = false;
    QTimer::singleShot(500, &dialog, [&] {
        saved = dialog.grab().save(QString::fromLocal8Bit(argv[2]));
        dialog.reject();
        QApplication::quit();
    });
    app.exec();
    return saved ? 0 : 1;
}
