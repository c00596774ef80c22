#include "MainView.h"
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
    MainView view{CAppsString(root.c_str())};

    std::string contentOf(const std::string& relative) {
        std::ifstream in(root + "/" + relative, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void write(const OString& path, bool truncate, const std::string& text) {
        auto stream = view.openOutputFile(path, truncate);
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
    auto input = view.openInputFile(OString("notes//a.txt"), false);
    ASSERT_TRUE(input);
    EXPECT_EQ(input->size(), 5u);
}

TEST_F(MainViewServices, EveryFileServiceRefusesPathsThePolicyRefuses) {
    const OString bad("../outside");
    std::vector<OString> files;
    std::vector<OString> directories;
    EXPECT_FALSE(view.openOutputFile(bad, true));
    EXPECT_FALSE(view.openInputFile(OString("a|b"), false));
    EXPECT_FALSE(view.createDirectory(OString("c:dir")));
    EXPECT_FALSE(view.directoryExists(OString("..")));
    EXPECT_FALSE(view.fileExists(bad));
    EXPECT_FALSE(view.deleteFile(bad));
    EXPECT_FALSE(view.deleteDirectory(bad));
    EXPECT_FALSE(view.renameFile(OString("x"), bad));
    EXPECT_FALSE(view.renameDirectory(bad, OString("x")));
    EXPECT_FALSE(view.listDirectory(bad, files, directories, true));
    EXPECT_FALSE(view.setLogFile(bad));
    EXPECT_FALSE(QFile::exists(temporary.path() + "/../outside"));
}

TEST_F(MainViewServices, DirectoriesAreCreatedListedRenamedAndDeleted) {
    ASSERT_TRUE(view.createDirectory(OString("top/inner")));
    write(OString("top/file.txt"), true, "x");
    write(OString("top/.hidden"), true, "x");
    std::vector<OString> files;
    std::vector<OString> directories;
    ASSERT_TRUE(view.listDirectory(OString("top"), files, directories, true));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(latin1(files[0]), "file.txt");
    ASSERT_EQ(directories.size(), 1u);
    EXPECT_EQ(latin1(directories[0]), "inner");
    EXPECT_TRUE(view.renameFile(OString("top/file.txt"), OString("moved/there/file.txt")));
    EXPECT_TRUE(view.fileExists(OString("moved/there/file.txt")));
    EXPECT_TRUE(view.renameDirectory(OString("top"), OString("renamed")));
    EXPECT_TRUE(view.deleteDirectory(OString("renamed")));
    EXPECT_FALSE(view.directoryExists(OString("renamed")));
    EXPECT_FALSE(view.deleteFile(OString("never.txt")));
}

TEST_F(MainViewServices, ScreenSizeFollowsTheOrientation) {
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
    view.attachMachine(&machine);
    const TInt32 first = view.addTimer(0x100, 1000);
    const TInt32 second = view.addTimer(0x200, 1000);
    EXPECT_GE(first, 10);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(view.removeTimer(first), 0x100u);
    EXPECT_EQ(view.removeTimer(first), 0u) << "a second removal answers 0";
    EXPECT_TRUE(view.updateTimerDelay(first, 5)) << "a removed id is ignored";
    EXPECT_EQ(view.addTimer(0x300, 1000), second + 1);
    EXPECT_EQ(view.applicationDirectory().view(), CAppsString(root.c_str()).view());
}

} // namespace
