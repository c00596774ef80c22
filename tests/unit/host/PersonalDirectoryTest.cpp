#include "ApplicationFiles.h"
#include "Stream.h"
#include "TextTesting.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

class PersonalDirectory : public ::testing::Test {
protected:
    QTemporaryDir temporary;
    std::string root = temporary.path().toStdString();
    ApplicationFiles files{CAppsString(root.c_str())};

    void write(const OString& path, bool truncate, const std::string& text) {
        auto stream = files.openOutputFile(path, truncate);
        ASSERT_TRUE(stream);
        ASSERT_TRUE(stream->write(reinterpret_cast<const TUint8*>(text.data()),
                                  static_cast<TUint32>(text.size())));
    }
};

// The application directory (root) read-only in spirit, a personal directory on top: only
// what the person's directory holds can be changed, and both are seen.
TEST_F(PersonalDirectory, TakesTheChangesAndBothAreSeen) {
    write(OString("shipped/a.txt"), true, "shipped");
    QTemporaryDir personal;
    files.addPersonalDirectory(CAppsString(personal.path().toStdString().c_str()));
    write(OString("mine/b.txt"), true, "mine");
    EXPECT_TRUE(files.fileExists(OString("shipped/a.txt")) &&
                files.directoryExists(OString("mine")));
    EXPECT_FALSE(files.deleteFile(OString("shipped/a.txt")) ||
                 files.renameFile(OString("shipped/a.txt"), OString("c.txt")) ||
                 files.deleteDirectory(OString("shipped")) ||
                 QFile::exists(temporary.path() + "/mine"));
    std::vector<OString> fileNames;
    std::vector<OString> directories;
    ASSERT_TRUE(files.listDirectory(OString("shipped"), fileNames, directories));
    write(OString("shipped/a.txt"), false, "+");
    ASSERT_TRUE(files.listDirectory(OString("shipped"), fileNames, directories));
    EXPECT_EQ(fileNames.size(), 2u) << "one name from the first listing, once from the second";
    EXPECT_EQ(readFile(root + "/shipped/a.txt"), "shipped");
    EXPECT_TRUE(files.deleteFile(OString("shipped/a.txt")));
    EXPECT_TRUE(files.fileExists(OString("shipped/a.txt"))) << "the shipped one again";
}

} // namespace
