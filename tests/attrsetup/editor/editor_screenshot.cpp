// Shows the attribute dialog on the data files of one directory and saves a picture of it:
//   editor_screenshot DIRECTORY OUTPUT.png
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <string>

#include "editor/attr_struct_dlg.h"
#include "schema/attribute_schema.h"
#include "schema/search_path_finder.h"

namespace {

class DirectoryHost : public quorbel::HostServices {
  public:
    explicit DirectoryHost(const std::string& directory) : m_finder({directory}) {}
    int findFile(std::string_view name, std::string& fullPath) override {
        return m_finder.findFile(name, fullPath);
    }
    void print(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stderr); }

  private:
    quorbel::SearchPathFinder m_finder;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor_screenshot DIRECTORY OUTPUT.png\n");
        return 2;
    }
    DirectoryHost host(argv[1]);
    quorbel::AttributeSchema schema(host);
    CAttrStructDlg dialog(schema);
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
