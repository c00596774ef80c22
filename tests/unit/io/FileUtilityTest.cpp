#include "FileUtility.h"
#include "IoTesting.h"
#include "Stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::u16string> namesIn(const Vec<CAppsString>& names) {
    std::vector<std::u16string> converted;
    for (const CAppsString& name : names)
        converted.push_back(units(name));
    return converted;
}

std::u16string joined(std::u16string_view base, std::u16string_view relative) {
    return units(FileUtility::join(text(base), text(relative)));
}

TEST(FileUtility, JoinAndSeparators) {
    EXPECT_EQ((std::vector{joined(u"a/", u"/b"), joined(u"a", u"b"), joined(u"a\\", u"\\b"),
                           joined(u"", u"b"), joined(u"a", u"")}),
              (std::vector<std::u16string>{u"a/b", u"a/b", u"a\\b", u"b", u"a"}));
    EXPECT_EQ(units(FileUtility::convertSeparators(text(u"a\\b/c"))), u"a/b/c");
}

using FileSystem = ScratchDirectoryTest;

TEST_F(FileSystem, ListingSkipsDotNamesAndSymbolicLinks) {
    writeFile(pathOf(".hidden"), "");
    writeFile(pathOf("f"), "");
    fs::create_directories(pathOf("d"));
    fs::create_directories(pathOf(".dotdir"));
    fs::create_symlink(pathOf("f"), pathOf("file-link"));
    fs::create_directory_symlink(pathOf("d"), pathOf("dir-link"));
    Vec<CAppsString> files;
    Vec<CAppsString> directories;
    ASSERT_TRUE(FileUtility::listFiles(rootText(), files));
    ASSERT_TRUE(FileUtility::listDirectories(rootText(), directories));
    EXPECT_EQ(namesIn(files), std::vector<std::u16string>{u"f"});
    EXPECT_EQ(namesIn(directories), std::vector<std::u16string>{u"d"});
    EXPECT_FALSE(FileUtility::listFiles(text(u"/nonexistent/kestro"), files));
}

TEST_F(FileSystem, RenameFileCreatesTheTargetDirectoryAndKeepsAnExistingTarget) {
    writeFile(pathOf("x"), "moved");
    writeFile(pathOf("taken"), "kept");
    const CAppsString target(pathOf("new/deeper/y").c_str());
    ASSERT_TRUE(FileUtility::renameFile(CAppsString(pathOf("x").c_str()), target));
    EXPECT_FALSE(fs::exists(pathOf("x")) ||
                 FileUtility::renameFile(target, CAppsString(pathOf("taken").c_str())));
    EXPECT_EQ((std::vector{readFile(pathOf("new/deeper/y")), readFile(pathOf("taken"))}),
              (std::vector<std::string>{"moved", "kept"}));
}

TEST_F(FileSystem, RemoveDirectoryRemovesItsContentButNotWhatLinksPointTo) {
    writeFile(pathOf("outside"), "safe");
    fs::create_directories(pathOf("tree/sub/.deeper"));
    writeFile(pathOf("tree/.dot"), "");
    writeFile(pathOf("tree/sub/.deeper/leaf"), "");
    fs::create_directory_symlink(root, pathOf("tree/sub/up"));
    fs::create_directory_symlink(pathOf("tree"), pathOf("tree-link"));
    EXPECT_FALSE(FileUtility::removeDirectory(CAppsString(pathOf("tree-link").c_str())));
    EXPECT_TRUE(fs::exists(pathOf("tree/.dot")));
    ASSERT_TRUE(FileUtility::removeDirectory(CAppsString(pathOf("tree").c_str())));
    EXPECT_TRUE(!fs::exists(pathOf("tree")) && readFile(pathOf("outside")) == "safe");
}

TEST_F(FileSystem, EmptyPathNamesNoDirectory) {
    writeFile(pathOf("precious"), "");
    const fs::path previous = fs::current_path();
    fs::current_path(root);
    const CAppsString empty;
    Vec<CAppsString> names;
    EXPECT_FALSE(FileUtility::removeDirectory(empty) || FileUtility::directoryExists(empty) ||
                 FileUtility::listFiles(empty, names));
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(pathOf("precious")));
}

TEST_F(FileSystem, NamesBeyondLatin1RoundTrip) {
    const std::u16string name = u"\uFEFFgr\u00FC\u00DFe-\u20AC-\u6F22\u5B57";
    const CAppsString directory = FileUtility::join(rootText(), text(u"\u0394ir"));
    ASSERT_TRUE(FileUtility::makeDirectory(directory));
    const CAppsString path = FileUtility::join(directory, text(name));
    KESTRO::FileOutputStream stream;
    ASSERT_TRUE(stream.open(FileUtility::encodeName(path).c_str()));
    stream.close();
    EXPECT_TRUE(FileUtility::fileExists(path) && FileUtility::directoryExists(directory));
    Vec<CAppsString> files;
    ASSERT_TRUE(FileUtility::listFiles(directory, files));
    EXPECT_EQ(namesIn(files), std::vector<std::u16string>{name});
    EXPECT_TRUE(FileUtility::removeFile(path) && !FileUtility::fileExists(path));
}

} // namespace
