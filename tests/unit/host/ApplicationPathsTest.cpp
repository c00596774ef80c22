#include "ApplicationPaths.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

namespace {

// The files program checks the policy on real files: paths holding "..", ":" or "|"
// refused, a leading "/", repeated separators and "\" accepted. These are its edges.
TEST(ApplicationPaths, RefuseEmptyAndClimbingPathsAndResolveAgainstTheDirectory) {
    for (const char* refused : {"", ".."})
        EXPECT_FALSE(isValidPath(OString(refused))) << refused;
    for (const char* accepted : {"x", ".hidden", "a.b"})
        EXPECT_TRUE(isValidPath(OString(accepted))) << accepted;
    const CAppsString resolved = resolvePath(CAppsString("/opt/demo/"), OString("a\\b"));
    EXPECT_EQ(latin1(resolved.toOString()), "/opt/demo/a/b");
}

} // namespace
