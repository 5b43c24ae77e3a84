#pragma once

// A dialog over real files in a temporary directory, with every message box and popup menu
// answered from a script.

#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "editor/attr_struct_dlg.h"
#include "editor/dialog_template.h"
#include "editor/editor_prompter.h"
#include "grid/edit_grid_ctrl.h"
#include "schema/attribute_schema.h"
#include "schema/gbk_text.h"
#include "schema/search_path_finder.h"

namespace quorbel::editor::testing {

class DirectoryHost : public HostServices {
  public:
    explicit DirectoryHost(const std::string& directory) : m_finder({directory}) {}
    int findFile(std::string_view name, std::string& fullPath) override {
        return m_finder.findFile(name, fullPath);
    }
    void print(std::string_view gbkText) override { printed.append(gbkText); }

    std::string printed;

  private:
    SearchPathFinder m_finder;
};

class ScriptedPrompter : public EditorPrompter {
  public:
    bool confirm(const QString& text, const QString& caption) override {
        questions.push_back(text);
        captions.push_back(caption);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void inform(const QString& text) override { messages.push_back(text); }
    bool ask(const QString& text, const QString& caption, const QString& yes,
             const QString& no) override {
        questions.push_back(text);
        captions.push_back(caption);
        buttons.push_back(yes + QLatin1Char('/') + no);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QAction* popup(QMenu& menu, const QPoint&) override {
        ++popups;
        menuTitle = menu.title();
        for (QAction* action : menu.actions()) {
            if (action->data().toInt() == menuChoice) {
                return action;
            }
        }
        return nullptr;
    }

    std::deque<bool> answers;
    std::vector<QString> questions;
    std::vector<QString> captions;
    std::vector<QString> buttons;
    std::vector<QString> messages;
    int popups = 0;
    int menuChoice = 0;
    QString menuTitle;
};

inline std::string gbk(const char* utf8) {
    return utf8ToGbk(utf8);
}

class EditorTest : public ::testing::Test {
  protected:
    static constexpr const char* kDefaultDef =
        "*房屋,3,房屋面\r\n"
        "  名称,0,20,0,名称,TBL_LandUseCode\r\n"
        "  层数,1,4,0,层数\r\n"
        "  面积,203,12,2,面积\r\n"
        "  高度,22,8,1,高度\r\n"
        "\r\n"
        "*道路,2,NULL,道路 中心线\r\n"
        "  等级,0,10,0,等级\r\n"
        "\r\n"
        "*控制点表,1,控制点\r\n"
        "  点名,120,10,0,点名\r\n"
        "\r\n"
        "*空表,0,\r\n"
        "\r\n"
        "[END]\r\n";
    static constexpr const char* kDefaultIndex =
        "130101,gc1,0.0000,三角点,0,控制点表\r\n"
        "130102,GC2,0.0000,导线点,0\r\n"
        "130103,text1,0.0000,注记,0\r\n"
        "140101,area1,0.0000,一般房屋,0,房屋\r\n"
        "140102,area2,0.0000,简单房屋,0,房屋\r\n"
        "140103,area3,0.0000,棚房,0\r\n"
        "160101,line1,0.0000,国道,0,道路\r\n"
        "160102,line2,0.0000,省道,0\r\n"
        "1301011,gc3,0.0000,七位码,0\r\n"
        "END\r\n";

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void writeFile(const char* name, const std::string& bytes) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::string readFile(const char* name) const {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        if (!file.open(QIODevice::ReadOnly)) {
            return "<missing>";
        }
        const QByteArray bytes = file.readAll();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    void writeDefaults() {
        writeFile("attribute.def", gbk(kDefaultDef));
        writeFile("INDEX.INI", gbk(kDefaultIndex));
    }

    void open() {
        dialog = std::make_unique<CAttrStructDlg>(schema);
        dialog->setPrompter(&prompter);
        dialog->show();
    }
    void openDefaults() {
        writeDefaults();
        open();
    }

    template <typename T>
    T* control(int id) const {
        T* widget = dialog->findChild<T*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    QTreeWidget* tree() const { return control<QTreeWidget>(IDC_TABLE_TREE); }
    QTreeWidgetItem* root() const { return tree()->topLevelItem(0); }
    QTreeWidgetItem* tableItem(int index) const { return root()->child(index); }
    CEditGridCtrl* grid() const { return control<CEditGridCtrl>(IDC_FIELD_GRID); }
    CEditGridCtrl* newGrid() const { return control<CEditGridCtrl>(IDC_NEW_FIELD_GRID); }
    QListWidget* available() const { return control<QListWidget>(IDC_AVAILABLE); }
    QListWidget* included() const { return control<QListWidget>(IDC_INCLUDED); }
    QComboBox* category() const { return control<QComboBox>(IDC_CATEGORY); }

    void select(QTreeWidgetItem* item) { tree()->setCurrentItem(item); }
    void chooseCategory(const char* name) {
        const int index = category()->findText(QString::fromUtf8(name));
        ASSERT_GE(index, 0);
        category()->setCurrentIndex(index);
        emit category()->activated(index);
    }
    void command(int id) { dialog->onCommand(id); }
    void selectLines(QListWidget* list, std::initializer_list<int> rows) {
        list->clearSelection();
        for (const int row : rows) {
            list->item(row)->setSelected(true);
        }
    }
    static QStringList texts(const QListWidget* list) {
        QStringList result;
        for (int row = 0; row < list->count(); ++row) {
            result.append(list->item(row)->text());
        }
        return result;
    }
    static QStringList column(const CEditGridCtrl* g, int col) {
        QStringList result;
        for (int row = 0; row < g->gridRowCount(); ++row) {
            result.append(g->cellText(row, col));
        }
        return result;
    }
    std::string tableOf(const char* code) const {
        const std::string key = gbk(code);
        for (const FeatureEntry& feature : schema.features()) {
            if (feature.code == key) {
                return std::string(feature.table);
            }
        }
        return "<none>";
    }
    std::vector<std::string> tableNames() const {
        std::vector<std::string> names;
        for (const AttributeTable& table : schema.tables()) {
            names.push_back(table.name);
        }
        return names;
    }

    QTemporaryDir dir;
    DirectoryHost host{dir.path().toStdString()};
    AttributeSchema schema{host};
    ScriptedPrompter prompter;
    std::unique_ptr<CAttrStructDlg> dialog;
};

}  // namespace quorbel::editor::testing
