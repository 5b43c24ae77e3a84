#include "host/modal_command.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <stdexcept>

#include "cadhost/doc_manager.h"

using quorbel::host::runModalDialog;

namespace {

int moduleAnchor = 0;
HINSTANCE const kModule = &moduleAnchor;

// Records what the command's scope looked like from inside the dialog.
class ProbeDialog : public QDialog {
  public:
    ProbeDialog(bool throwInExec, bool* destroyed)
        : m_throwInExec(throwInExec), m_destroyed(destroyed) {}
    ~ProbeDialog() override { *m_destroyed = true; }

    int exec() override {
        handleDuringExec = acDocManagerPtr()->resourceHandle();
        if (m_throwInExec) {
            throw std::runtime_error("exec failed");
        }
        QTimer::singleShot(0, this, &QDialog::reject);
        return QDialog::exec();
    }

    static inline HINSTANCE handleDuringExec = nullptr;

  private:
    bool m_throwInExec;
    bool* m_destroyed;
};

class ModalCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        depth = acDocManagerPtr()->pushedResourceHandles();
        ProbeDialog::handleDuringExec = nullptr;
    }
    std::size_t depth = 0;
};

}  // namespace

TEST_F(ModalCommandTest, RunsTheDialogWithThePluginHandleOnTopAndPopsIt) {
    bool destroyed = false;
    runModalDialog(*acDocManagerPtr(), kModule,
                   [&] { return std::make_unique<ProbeDialog>(false, &destroyed); });
    EXPECT_EQ(ProbeDialog::handleDuringExec, kModule);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(acDocManagerPtr()->pushedResourceHandles(), depth);
}

TEST_F(ModalCommandTest, PopsAndDestroysWhenTheModalRunThrows) {
    bool destroyed = false;
    EXPECT_THROW(runModalDialog(*acDocManagerPtr(), kModule,
                                [&] { return std::make_unique<ProbeDialog>(true, &destroyed); }),
                 std::runtime_error);
    EXPECT_EQ(ProbeDialog::handleDuringExec, kModule);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(acDocManagerPtr()->pushedResourceHandles(), depth);
}

TEST_F(ModalCommandTest, PopsWhenConstructionThrowsOrMakesNothing) {
    EXPECT_THROW(
        runModalDialog(*acDocManagerPtr(), kModule,
                       []() -> std::unique_ptr<QDialog> { throw std::runtime_error("no dialog"); }),
        std::runtime_error);
    EXPECT_EQ(acDocManagerPtr()->pushedResourceHandles(), depth);
    EXPECT_NO_THROW(runModalDialog(*acDocManagerPtr(), kModule, [] { return nullptr; }));
    EXPECT_EQ(acDocManagerPtr()->pushedResourceHandles(), depth);
    EXPECT_EQ(acDocManagerPtr()->resourceHandle(), acedHostResourceHandle());
}
