#include "qt_module_guard.h"

#include <gtest/gtest.h>

#include <QMetaType>

#include "host_fixture.h"
#include "host_output_capture.h"

TEST(QtModuleGuard, KeepsAModuleMappedWhileQtHoldsItsTypeAndUnmapsOthers) {
    HostOutputCapture output;
    cadhost::guardQtAgainstUnloadedModules(hostApplications());
    EXPECT_NE(QMetaType::fromName("QFlags<Qt::AlignmentFlag>").iface(), nullptr);

    ASSERT_TRUE(hostApplications().load(QT_TYPE_MODULE_PATH)) << output.text();
    ASSERT_TRUE(hostApplications().unload("qt_type_module.arx"));
    EXPECT_TRUE(output.contains("qt_type_module.arx registered the Qt type"));
    EXPECT_TRUE(output.contains("qt_type_module.arx stays in memory."));
    EXPECT_TRUE(moduleStillLoaded(QT_TYPE_MODULE_PATH));
    EXPECT_EQ(hostApplications().find("qt_type_module.arx"), nullptr);

    output.clear();
    ASSERT_TRUE(hostApplications().load(SAMPLE_MODULE_PATH));
    ASSERT_TRUE(hostApplications().unload("sample_module.arx"));
    EXPECT_FALSE(output.contains("stays in memory")) << output.text();
    EXPECT_FALSE(moduleStillLoaded(SAMPLE_MODULE_PATH));
    hostApplications().setUnmapCheck({});
}
