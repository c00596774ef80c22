#include "ApplicationPaths.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

namespace {

std::string resolved(const char* directory, const char* path) {
    const CAppsString result = resolvePath(CAppsString(directory), OString(path));
    return latin1(result.toOString());
}

TEST(ApplicationPaths, RefuseEmptyClimbingDriveAndPipePaths) {
    for (const char* refused : {"", "../x", "a/../b", "a..b", "c:x", "a|b", ".."})
        EXPECT_FALSE(isValidPath(OString(refused))) << refused;
    for (const char* accepted : {"x", "a/b.txt", "/etc/passwd", ".hidden", "a.b"})
        EXPECT_TRUE(isValidPath(OString(accepted))) << accepted;
}

TEST(ApplicationPaths, ResolveAgainstTheDirectory) {
    EXPECT_EQ(resolved("/opt/demo", "data//x.txt"), "/opt/demo/data/x.txt");
    EXPECT_EQ(resolved("/opt/demo", "//data///x"), "/opt/demo/data/x");
    EXPECT_EQ(resolved("/opt/demo/", "a\\b"), "/opt/demo/a/b");
    EXPECT_EQ(resolved("/opt/demo", "/etc/passwd"), "/opt/demo/etc/passwd")
        << "absolute paths stay inside";
}

} // namespace
