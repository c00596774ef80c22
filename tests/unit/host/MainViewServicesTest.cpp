#include "ApplicationFiles.h"
#include "ApplicationLog.h"
#include "MainView.h"
#include "Scheduler.h"
#include "Stream.h"
#include "TextTesting.h"
#include "VirtualMachine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

class MainViewServices : public ::testing::Test {
protected:
    QTemporaryDir temporary;
    std::string root = temporary.path().toStdString();
    ApplicationFiles files{CAppsString(root.c_str())};
    ApplicationLog log{files};

    std::string contentOf(const std::string& relative) {
        std::ifstream in(root + "/" + relative, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void write(const OString& path, bool truncate, const std::string& text) {
        auto stream = files.openOutputFile(path, truncate);
        ASSERT_TRUE(stream);
        ASSERT_TRUE(stream->write(reinterpret_cast<const TUint8*>(text.data()),
                                  static_cast<TUint32>(text.size())));
    }
};

TEST_F(MainViewServices, OutputFilesKeepTheirContentUnlessTruncated) {
    write(OString("notes/a.txt"), true, "old");
    write(OString("notes/a.txt"), false, "+new");
    EXPECT_EQ(contentOf("notes/a.txt"), "old+new");
    write(OString("notes/a.txt"), true, "fresh");
    EXPECT_EQ(contentOf("notes/a.txt"), "fresh");
    auto input = files.openInputFile(OString("notes//a.txt"));
    ASSERT_TRUE(input);
    EXPECT_EQ(input->size(), 5u);
}

TEST_F(MainViewServices, EveryFileServiceRefusesPathsThePolicyRefuses) {
    const OString bad("../outside");
    std::vector<OString> fileNames;
    std::vector<OString> directories;
    EXPECT_FALSE(files.openOutputFile(bad, true));
    EXPECT_FALSE(files.openInputFile(OString("a|b")));
    EXPECT_FALSE(files.createDirectory(OString("c:dir")));
    EXPECT_FALSE(files.directoryExists(OString("..")));
    EXPECT_FALSE(files.fileExists(bad));
    EXPECT_FALSE(files.deleteFile(bad));
    EXPECT_FALSE(files.deleteDirectory(bad));
    EXPECT_FALSE(files.renameFile(OString("x"), bad));
    EXPECT_FALSE(files.renameDirectory(bad, OString("x")));
    EXPECT_FALSE(files.listDirectory(bad, fileNames, directories));
    EXPECT_FALSE(log.setLogFile(bad));
    EXPECT_FALSE(QFile::exists(temporary.path() + "/../outside"));
}

TEST_F(MainViewServices, DirectoriesAreCreatedListedRenamedAndDeleted) {
    ASSERT_TRUE(files.createDirectory(OString("top/inner")));
    write(OString("top/file.txt"), true, "x");
    write(OString("top/.hidden"), true, "x");
    std::vector<OString> fileNames;
    std::vector<OString> directories;
    ASSERT_TRUE(files.listDirectory(OString("top"), fileNames, directories));
    ASSERT_EQ(fileNames.size(), 1u);
    EXPECT_EQ(latin1(fileNames[0]), "file.txt");
    ASSERT_EQ(directories.size(), 1u);
    EXPECT_EQ(latin1(directories[0]), "inner");
    EXPECT_TRUE(files.renameFile(OString("top/file.txt"), OString("moved/there/file.txt")));
    EXPECT_TRUE(files.fileExists(OString("moved/there/file.txt")));
    EXPECT_TRUE(files.renameDirectory(OString("top"), OString("renamed")));
    EXPECT_TRUE(files.deleteDirectory(OString("renamed")));
    EXPECT_FALSE(files.directoryExists(OString("renamed")));
    EXPECT_FALSE(files.deleteFile(OString("never.txt")));
}

// The application directory (root) read-only in spirit, a personal directory on top: only
// what the person's directory holds can be changed, and both are seen.
TEST_F(MainViewServices, APersonalDirectoryTakesTheChangesAndBothAreSeen) {
    write(OString("shipped/a.txt"), true, "shipped");
    QTemporaryDir personal;
    files.addPersonalDirectory(CAppsString(personal.path().toStdString().c_str()));
    write(OString("mine/b.txt"), true, "mine");
    EXPECT_TRUE(files.fileExists(OString("shipped/a.txt")));
    EXPECT_TRUE(files.directoryExists(OString("mine")));
    EXPECT_FALSE(files.deleteFile(OString("shipped/a.txt")));
    EXPECT_FALSE(files.renameFile(OString("shipped/a.txt"), OString("c.txt")));
    EXPECT_FALSE(files.deleteDirectory(OString("shipped")));
    EXPECT_FALSE(QFile::exists(temporary.path() + "/mine"));
    std::vector<OString> fileNames;
    std::vector<OString> directories;
    ASSERT_TRUE(files.listDirectory(OString("shipped"), fileNames, directories));
    write(OString("shipped/a.txt"), false, "+");
    ASSERT_TRUE(files.listDirectory(OString("shipped"), fileNames, directories));
    EXPECT_EQ(fileNames.size(), 2u) << "one name from the first listing, once from the second";
    EXPECT_EQ(contentOf("shipped/a.txt"), "shipped");
    EXPECT_TRUE(files.deleteFile(OString("shipped/a.txt")));
    EXPECT_TRUE(files.fileExists(OString("shipped/a.txt"))) << "the shipped one again";
}

TEST_F(MainViewServices, ScreenSizeFollowsTheOrientation) {
    MainView view{CAppsString(root.c_str())};
    TInt32 width = 0;
    TInt32 height = 0;
    view.getScreenSize(width, height);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(800, 480));
    for (TInt32 orientation : {1, 3, -1}) {
        view.setOrientation(orientation);
        EXPECT_EQ(view.getOrientation(), orientation);
        view.getScreenSize(width, height);
        EXPECT_EQ(std::make_pair(width, height), std::make_pair(480, 800)) << orientation;
    }
}

TEST_F(MainViewServices, TimerIdsStartAtTenAndAreNeverReused) {
    VirtualMachine machine;
    Scheduler scheduler;
    scheduler.setMachine(&machine);
    const TInt32 first = scheduler.addTimer(0x100, 1000);
    const TInt32 second = scheduler.addTimer(0x200, 1000);
    EXPECT_GE(first, 10);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(scheduler.removeTimer(first), 0x100u);
    EXPECT_EQ(scheduler.removeTimer(first), 0u) << "a second removal answers 0";
    scheduler.updateTimerDelay(first, 5); // a removed id is ignored
    EXPECT_EQ(scheduler.addTimer(0x300, 1000), second + 1);
}

} // namespace
