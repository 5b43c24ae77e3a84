#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cadhost/host_state.h"
#include "cadhost/resource_modules.h"
#include "host/arx_host_services.h"
#include "host/extension_module.h"

namespace fs = std::filesystem;
using namespace quorbel::host;

TEST(ArxHostServices, FindsOnTheHostPathAndPrintsTextUnformatted) {
    const fs::path dir = fs::temp_directory_path() / "quorbel-host-services";
    fs::create_directories(dir);
    std::ofstream(dir / "INDEX.INI") << "x";
    cadhost::setSupportPath({dir.string()});
    std::string printed;
    cadhost::setOutputSink([&](std::string_view text, cadhost::TextOrigin origin) {
        EXPECT_EQ(origin, cadhost::TextOrigin::Application);
        printed.append(text);
    });

    ArxHostServices services;
    std::string path = "unchanged";
    EXPECT_EQ(services.findFile("index.ini", path), quorbel::RTNORM);
    EXPECT_EQ(fs::path(path), dir / "INDEX.INI");
    path = "unchanged";
    EXPECT_NE(services.findFile("attribute.def", path), quorbel::RTNORM);
    EXPECT_EQ(path, "unchanged");
    // Whatever follows a NUL must not turn the request into one for another file.
    EXPECT_NE(services.findFile(std::string_view("INDEX.INI\0.bak", 14), path), quorbel::RTNORM);

    services.print("\n\xce\xde\xb7\xa8 %s %n 100%");
    EXPECT_EQ(printed, "\n\xce\xde\xb7\xa8 %s %n 100%");

    cadhost::setOutputSink({});
    cadhost::setSupportPath({});
    fs::remove_all(dir);
}

TEST(ExtensionModule, AttachesOnceAndDetachesOnlyItself) {
    int ownAnchor = 0;
    int otherAnchor = 0;
    ASSERT_TRUE(cadhostEnterResourceModule(&otherAnchor));

    ExtensionModuleRecord record;
    ASSERT_TRUE(attachExtensionModule(record, &ownAnchor));
    EXPECT_TRUE(record.attached);
    EXPECT_EQ(record.moduleResource, &ownAnchor);
    EXPECT_NE(record.defaultResource, nullptr);
    EXPECT_FALSE(attachExtensionModule(record, &ownAnchor));

    detachExtensionModule(record);
    EXPECT_FALSE(record.attached);
    EXPECT_FALSE(cadhostIsResourceModule(&ownAnchor));
    EXPECT_TRUE(cadhostIsResourceModule(&otherAnchor));
    detachExtensionModule(record);
    EXPECT_TRUE(cadhostIsResourceModule(&otherAnchor));
    cadhostLeaveResourceModule(&otherAnchor);
}
