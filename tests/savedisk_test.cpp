// A save that cannot be written is told, and the files already on disk stay as they were.

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "home/savefile.h"
#include "savekit.h"

namespace {
class SaveDisk : public SaveTest {
protected:
    std::string oldgame, oldindex;

    void SetUp() override
    {
        SaveTest::SetUp();
        freshgame(1);
        keys("dy ");
        ASSERT_EQ(run(save), -1);
        oldgame = slurp(savepath("save3"));
        oldindex = slurp(savepath("save"));
        money = 1;  // the game goes on after the save
        pc.lv = 9;
    }

    // Saves into 'd' and expects the failure to be told, the old files kept and nothing
    // of the attempt left behind.
    void failstokeep(const char* why)
    {
        SCOPED_TRACE(why);
        const std::string game = worldbytes();
        keys("dy ");
        ASSERT_EQ(run(save), -1);
        EXPECT_TRUE(console.done());
        EXPECT_NE(screen().find("セーブできなかった\n"), std::string::npos) << screen();
        EXPECT_EQ(screen().find("セーブしました"), std::string::npos);
        EXPECT_EQ(slurp(savepath("save3")), oldgame);
        EXPECT_EQ(slurp(savepath("save")), oldindex);
        for (const char* left : {"save3.tmp", "save3.old", "save.tmp", "save.old"})
            EXPECT_TRUE(left == skip || !exists(savepath(left))) << left;
        EXPECT_TRUE(worldbytes() == game) << "the game goes on as it was";
    }
    std::string skip;
};
}  // namespace

TEST_F(SaveDisk, ASaveLeavesNothingButItsTwoFiles)
{
    EXPECT_FALSE(oldgame.empty());
    keys("dy ");
    ASSERT_EQ(run(save), -1);
    EXPECT_NE(slurp(savepath("save3")), oldgame);
    EXPECT_NE(slurp(savepath("save")).find(" 9\n"), std::string::npos);
    for (const char* left : {"save3.tmp", "save3.old", "save.tmp", "save.old"})
        EXPECT_FALSE(exists(savepath(left))) << left;
}

TEST_F(SaveDisk, ATemporaryFileThatCannotBeMade)
{
    skip = "save3.tmp";
    ASSERT_EQ(mkdir(savepath("save3.tmp").c_str(), 0755), 0);
    failstokeep("the game file's temporary name is taken by a folder");
    rmdir(savepath("save3.tmp").c_str());

    skip = "save.tmp";
    ASSERT_EQ(mkdir(savepath("save.tmp").c_str(), 0755), 0);
    failstokeep("the index's temporary name is taken by a folder");
}

TEST_F(SaveDisk, TheDiskFillsUpHalfwayThroughTheGameFile)
{
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // a file-size limit stops the write part way, as a full disk would
        rlimit lim{200, 200};
        setrlimit(RLIMIT_FSIZE, &lim);
        std::signal(SIGXFSZ, SIG_IGN);
        keys("dy ");
        int status = run(save);
        bool told = screen().find("セーブできなかった") != std::string::npos;
        _exit(status == -1 && told ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failure is told";
    EXPECT_EQ(slurp(savepath("save3")), oldgame);
    EXPECT_EQ(slurp(savepath("save")), oldindex);
    EXPECT_FALSE(exists(savepath("save3.tmp")));
}

TEST_F(SaveDisk, AnIndexThatCannotBeReplacedTakesTheNewGameFileBackOut)
{
    // the game file is already in place when the index fails: the old one comes back, and
    // a place that had no game file has none again
    unlink(savepath("save").c_str());
    ASSERT_EQ(mkdir(savepath("save").c_str(), 0755), 0);
    spit(savepath("save/keep"), "x");
    oldindex = "";  // a folder reads as nothing
    skip = "";
    failstokeep("the index is a folder");
    EXPECT_EQ(slurp(savepath("save/keep")), "x");

    keys("ey ");
    ASSERT_EQ(run(save), -1);
    EXPECT_NE(screen().find("セーブできなかった"), std::string::npos);
    EXPECT_FALSE(exists(savepath("save4")));
}

TEST_F(SaveDisk, AGameThatCouldNotBeLoadedAgainIsNotWritten)
{
    money = -5;
    failstokeep("negative money");
}

TEST_F(SaveDisk, NoFolderForTheSaves)
{
    std::filesystem::remove_all(folder + "/save");
    spit(folder + "/save", "a file");
    keys("ay ");
    ASSERT_EQ(run(save), -1);
    EXPECT_NE(screen().find("セーブできなかった"), std::string::npos);
    EXPECT_EQ(slurp(folder + "/save"), "a file");
}

TEST_F(SaveDisk, LeftoversOfAnInterruptedSaveAreClearedAtTheNextStart)
{
    for (const char* left : {"save.tmp", "save3.tmp", "save15.tmp", "save7.old", "save.old"})
        spit(savepath(left), "half");
    ASSERT_EQ(mkdir(savepath("save5.tmp").c_str(), 0755), 0);
    spit(savepath("notes.txt"), "mine");
    indexentry list[16];
    readindex(list);
    for (const char* left : {"save.tmp", "save3.tmp", "save15.tmp", "save7.old", "save.old"})
        EXPECT_FALSE(exists(savepath(left))) << left;
    EXPECT_TRUE(exists(savepath("save5.tmp"))) << "only files of ours are removed";
    EXPECT_EQ(slurp(savepath("notes.txt")), "mine");
    EXPECT_EQ(slurp(savepath("save3")), oldgame);
    EXPECT_EQ(list[3].lv, 1);
}
