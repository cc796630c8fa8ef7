// A save that cannot be written is told, and the files already on disk stay as they were.

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "core/death.h"
#include "core/nofollow.h"
#include "core/paths.h"
#include "home/savedisk.h"
#include "home/savefile.h"
#include "home/savegame.h"
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

    // Saves into 'd' and expects the failure to be told (with its cause, when given), the
    // old files kept and nothing of the attempt left behind.
    void failstokeep(const char* why, const std::string& cause = "")
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
        for (const std::string& left : passing())
            EXPECT_TRUE(left == skip || !exists(savepath(left))) << left;
        EXPECT_TRUE(worldbytes() == game) << "the game goes on as it was";
        if (!cause.empty()) {
            EXPECT_NE(screen().find(cause), std::string::npos) << screen();
        }
    }
    std::string skip;

    // The names of this game's passing files: "save3.tmp-<pid>" for "save3.tmp".
    static std::string own(const char* name) { return std::string(name) + "-" + std::to_string(getpid()); }
    static std::vector<std::string> passing()
    {
        return {own("save3.tmp"), own("save3.old"), own("save.tmp"), own("save.old")};
    }

    // Runs fn in a child with mounts of its own, where a full disk, a read-only folder and a
    // busy name fail as they do on a real system (root passes every permission check, so
    // nothing less would fail honestly). The child prints its failures; skips where no
    // mount namespace can be had.
    template <class F>
    void inownmounts(F fn)
    {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                _exit(77);
            fn();
            _exit(HasFailure() ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace here";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the child's failures are printed above";
    }

    // save/ becomes a tmpfs of the given options holding the old files: a disk of its size.
    bool smalldisk(const char* options)
    {
        std::string dir = folder + "/save";
        if (mount("tmpfs", dir.c_str(), "tmpfs", 0, options) != 0) return false;
        spit(savepath("save3"), oldgame);
        spit(savepath("save"), oldindex);
        return slurp(savepath("save3")) == oldgame && slurp(savepath("save")) == oldindex;
    }

    // The file at rel becomes a mount point showing the same bytes: it cannot be renamed over.
    bool busy(const std::string& rel)
    {
        std::string copy = folder + "/" + rel + ".copy";
        spit(copy, slurp(savepath(rel)));
        return mount(copy.c_str(), savepath(rel).c_str(), nullptr, MS_BIND, nullptr) == 0;
    }
};
}  // namespace

TEST_F(SaveDisk, ASaveLeavesNothingButItsTwoFiles)
{
    EXPECT_FALSE(oldgame.empty());
    keys("dy ");
    ASSERT_EQ(run(save), -1);
    EXPECT_NE(slurp(savepath("save3")), oldgame);
    EXPECT_NE(slurp(savepath("save")).find(" 9\n"), std::string::npos);
    for (const std::string& left : passing()) EXPECT_FALSE(exists(savepath(left))) << left;
}

namespace {
std::string keepsfrom, kept;  // the game file the keeper below saw
}

TEST_F(SaveDisk, AStorageThatTakesNoFilesIsAFailedSave)
{
    // where files last only once handed on (the browser's storage), a save is done only then
    keepsfrom = savepath("save3");
    setfilekeeper([](std::string& why) {
        kept = slurp(keepsfrom);
        why = "QuotaExceededError";
        return false;
    });
    keys("dy ");
    EXPECT_EQ(run(save), -1);
    setfilekeeper(nullptr);
    EXPECT_NE(screen().find("セーブできなかった\n(QuotaExceededError)"), std::string::npos)
        << screen();
    EXPECT_EQ(screen().find("セーブしました"), std::string::npos);
    EXPECT_NE(kept, oldgame) << "handed on with the new game in place";
    EXPECT_EQ(kept, slurp(savepath("save3")));
}

TEST_F(SaveDisk, ATemporaryFileThatCannotBeMade)
{
    skip = own("save3.tmp");
    ASSERT_EQ(mkdir(savepath(skip).c_str(), 0755), 0);
    failstokeep("the game file's temporary name is taken by a folder");
    rmdir(savepath(skip).c_str());

    skip = own("save.tmp");
    ASSERT_EQ(mkdir(savepath(skip).c_str(), 0755), 0);
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
    EXPECT_FALSE(exists(savepath(own("save3.tmp"))));
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
    for (const char* left : {"save.tmp", "save3.tmp", "save15.tmp", "save7.old", "save.old", "save3.tmp-999999999", "save.old-1"})
        spit(savepath(left), "half");
    ASSERT_EQ(mkdir(savepath("save5.tmp").c_str(), 0755), 0);
    spit(savepath("notes.txt"), "mine");
    indexentry list[16];
    readindex(list);
    for (const char* left : {"save.tmp", "save3.tmp", "save15.tmp", "save7.old", "save.old", "save3.tmp-999999999"})
        EXPECT_FALSE(exists(savepath(left))) << left;
    EXPECT_TRUE(exists(savepath("save.old-1"))) << "a running game's file is its own";
    EXPECT_TRUE(exists(savepath("save5.tmp"))) << "only files of ours are removed";
    EXPECT_EQ(slurp(savepath("notes.txt")), "mine");
    EXPECT_EQ(slurp(savepath("save3")), oldgame);
    EXPECT_EQ(list[3].lv, 1);
}

// Each step of a save failing in turn, on disks that really fail: the player is told, the
// game goes on, and the old files stay byte for byte as they were.

TEST_F(SaveDisk, AReadOnlyFolder)
{
    inownmounts([this] {
        ASSERT_TRUE(smalldisk("size=64k"));
        ASSERT_EQ(mount(nullptr, (folder + "/save").c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        failstokeep("no file can be made in save/", "/save/" + own("save3.tmp") + ": Read-only file system");
    });
}

TEST_F(SaveDisk, NoFileCanBeMadeOnAFullDisk)
{
    inownmounts([this] {
        ASSERT_TRUE(smalldisk("nr_inodes=3"));  // the folder and the two old files
        failstokeep("no room for one more file", "/save/" + own("save3.tmp") + ": No space left on device");
    });
}

TEST_F(SaveDisk, TheDiskIsFullBeforeTheGameFile)
{
    inownmounts([this] {
        ASSERT_TRUE(smalldisk("size=8k"));  // a page for each old file, none more
        failstokeep("the game file finds no room", "/save/" + own("save3.tmp") + ": No space left on device");
    });
}

TEST_F(SaveDisk, TheDiskFillsUpWithTheGameFile)
{
    inownmounts([this] {
        ASSERT_TRUE(smalldisk("size=12k"));  // room for the new game file, not the index
        failstokeep("the index finds no room", "/save/" + own("save.tmp") + ": No space left on device");
    });
}

TEST_F(SaveDisk, TheOldGameFileCannotBeKept)
{
    skip = own("save3.old");
    ASSERT_EQ(mkdir(savepath(skip).c_str(), 0755), 0);
    failstokeep("a folder where the old game file is kept", "/save/" + skip + ": File exists");
}

TEST_F(SaveDisk, TheOldIndexCannotBeKeptAfterTheGameFileIsInPlace)
{
    skip = own("save.old");
    ASSERT_EQ(mkdir(savepath(skip).c_str(), 0755), 0);
    failstokeep("a folder where the old index is kept", "/save/" + skip + ": File exists");
}

TEST_F(SaveDisk, TheGameFileCannotBeReplaced)
{
    inownmounts([this] {
        ASSERT_TRUE(busy("save3"));
        failstokeep("the game file is busy", "/save/save3: Device or resource busy");
    });
}

TEST_F(SaveDisk, TheIndexCannotBeReplacedAfterTheGameFileIsInPlace)
{
    inownmounts([this] {
        ASSERT_TRUE(busy("save"));
        failstokeep("the index is busy", "/save/save: Device or resource busy");
    });
}

// Links in place of the game's files are never written through, and are left alone: the
// write probe, dead.txt, the temporary names of earlier versions and the lock.
TEST_F(SaveDisk, LinksAreNeverWrittenThrough)
{
    const std::string outside = folder + "/outside";
    spit(outside, "mine");
    unlink(savepath("lock").c_str());
    for (const char* name : {".kurashi-write-test", "dead.txt", "save/save.tmp", "save/save3.tmp", "save/lock"})
        ASSERT_EQ(symlink(outside.c_str(), (folder + "/" + name).c_str()), 0) << name;
    std::string err;
    EXPECT_TRUE(preparedata(folder, err)) << err;
    keys("dy ");
    ASSERT_EQ(run(save), -1);
    EXPECT_NE(screen().find("セーブしました\n(" + savepath("lock") + " がリンクなので"), std::string::npos) << screen();
    keys(" ");
    EXPECT_EQ(run(dead), EXITOK);
    EXPECT_NE(screen().find("dead.txtがリンクなので、死亡記録はそこへ書かなかった"), std::string::npos) << screen();
    EXPECT_EQ(slurp(outside), "mine");
    for (const char* name : {"save.tmp", "save3.tmp", "lock"}) EXPECT_TRUE(islink(savepath(name))) << name;
}

// With no lock to take, four games saving into one folder at once lose no save they told
// as done, and none removes another's files in flight.
TEST_F(SaveDisk, GamesSavingAtOnceWithoutALockLoseNoSave)
{
    unlink(savepath("lock").c_str());
    ASSERT_EQ(symlink("nowhere", savepath("lock").c_str()), 0);
    pid_t games[4];
    for (int g = 0; g < 4; g++)
        if ((games[g] = fork()) == 0) {
            int done = 0;  // the last save told as done
            for (int k = 1; k <= 40; k++) {
                money = 1000 * g + k;
                savedgame sg;
                std::string text, message;
                capturegame(sg);
                done = writegame(sg, text) && putgame(4 + g, text, message) ? k : done;
            }
            _exit(done);
        }
    for (int g = 0; g < 4; g++) {
        int status = 0;
        ASSERT_EQ(waitpid(games[g], &status, 0), games[g]);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) > 0) << "game " << g;
        ASSERT_TRUE(loadgame(4 + g)) << "game " << g;
        EXPECT_EQ(money, 1000 * g + WEXITSTATUS(status)) << "game " << g;
    }
    indexentry list[16];
    readindex(list);
    for (int g = 0; g < 4; g++) EXPECT_EQ(list[4 + g].lv, pc.lv) << "game " << g;
}
