// A save killed at any moment (SIGKILL, so nothing of the game runs after it) leaves every
// place holding either its old game or the new one, named so in the index, and the next
// start clears what the killed save left behind. Two games saving into one folder at once
// keep each other's saves.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "home/savefile.h"
#include "home/savegame.h"
#include "savekit.h"

namespace {
constexpr int TRIALS = 500;
constexpr int PLACES = 3;  // the trials save in turn into places a, b and c

class SaveKill : public SaveTest {
protected:
    int known[PLACES] = {};  // the game each place holds, by its money; 0 for none

    // The game in place p by its money (0: no file), or -1 when its file does not load.
    int loaded(int p)
    {
        std::string path = savepath("save" + std::to_string(p));
        if (!exists(path)) return 0;
        savedgame g;
        loaderror err;
        return readgame(slurp(path), g, err) ? g.money : -1;
    }

    // Leftovers of the killed save in save/, before the next start clears them.
    int leftovers()
    {
        int n = 0;
        for (const auto& e : std::filesystem::directory_iterator(folder + "/save")) {
            std::string ext = e.path().extension().string();
            n += ext.rfind(".tmp", 0) == 0 || ext.rfind(".old", 0) == 0;  // and "-<pid>"
        }
        return n;
    }

    // Saves game id into place p in a child, which is killed after delay microseconds
    // (counted from when it is about to save). True when the save was cut off.
    bool killedsave(int p, int id, long delay)
    {
        int ready[2];
        if (pipe(ready) != 0) return false;
        pid_t child = fork();
        if (child == 0) {
            money = id;
            pc.lv = 1 + id % 30;
            keys(std::string(1, static_cast<char>('a' + p)) + "y ");
            char go = 1;
            if (write(ready[1], &go, 1) != 1) _exit(2);
            run(save);
            _exit(0);
        }
        char go;
        bool started = read(ready[0], &go, 1) == 1;
        close(ready[0]);
        close(ready[1]);
        int status = 0;
        if (started) {
            // the delay ends early when the save is done first
            auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(delay);
            while (waitpid(child, &status, WNOHANG) == 0) {
                if (std::chrono::steady_clock::now() >= until) {
                    kill(child, SIGKILL);
                    waitpid(child, &status, 0);
                    break;
                }
            }
        } else {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
        }
        return WIFSIGNALED(status);
    }

    // How long a whole save takes in a child, in microseconds from when it is about to save.
    long saveduration()
    {
        long total = 0;
        for (int i = 0; i < 5; i++) {
            auto start = std::chrono::steady_clock::now();
            killedsave(0, 1, 1000000);  // never killed before it is done
            total += std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
        }
        return total / 5;
    }
};
}  // namespace

TEST_F(SaveKill, EveryPlaceLoadsAsItsOldOrItsNewGameAfterAKillAtAnyMoment)
{
    freshgame(1);
    long span = saveduration();  // the kills fall anywhere in a whole save
    for (int p = 0; p < PLACES; p++) known[p] = loaded(p);
    std::mt19937 draw(7);
    int cut = 0, kept = 0, renewed = 0, cleared = 0;
    for (int t = 0; t < TRIALS; t++) {
        int p = t % PLACES, id = 1000 + t;
        cut += killedsave(p, id, std::uniform_int_distribution<long>(0, span)(draw));
        cleared += leftovers();
        tidysaves();  // the next start
        ASSERT_EQ(leftovers(), 0) << "trial " << t;
        for (int q = 0; q < PLACES; q++) {
            int now = loaded(q);
            bool fine = now == known[q] || (q == p && now == id);
            ASSERT_TRUE(fine) << "trial " << t << ": place " << q << " holds " << now << ", not "
                              << known[q] << (q == p ? " or " + std::to_string(id) : "");
        }
        int now = loaded(p);
        (now == id ? renewed : kept)++;
        known[p] = now;
        // the index names the game each place holds (a game's level follows its money)
        indexentry list[16];
        readindex(list);
        for (int q = 0; q < PLACES; q++)
            ASSERT_EQ(list[q].lv, known[q] ? 1 + known[q] % 30 : 0) << "trial " << t << ": place " << q;
    }
    std::printf("[ kills    ] %d saves killed, %d of them cut short; %d places kept the old game, "
                "%d took the new; %d leftover files cleared (save of %ld us)\n",
                TRIALS, cut, kept, renewed, cleared, span);
    EXPECT_GT(kept, 0) << "some kills came before the new game was in place";
    EXPECT_GT(renewed, 0) << "some saves came through";
}

TEST_F(SaveKill, AGameFileTheIndexDoesNotNameYetIsNamedAtTheNextStart)
{
    freshgame(1);
    keys("ay by cy ");
    ASSERT_EQ(run(save), -1);
    ASSERT_EQ(run(save), -1);
    ASSERT_EQ(run(save), -1);
    // as a save cut off after its game file: place a unnamed, place b under an older level;
    // place c is one written without asking, and keeps its entry
    spit(savepath("save"), "nochar 0\nテスト 7\nnochar -1\n");
    indexentry list[16];
    readindex(list);
    EXPECT_STREQ(list[0].name, "テスト");
    EXPECT_EQ(list[0].lv, 1);
    EXPECT_EQ(list[1].lv, 1);
    EXPECT_EQ(list[2].lv, -1);
    EXPECT_EQ(list[3].lv, 0);
    spit(savepath("save1"), "broken");
    spit(savepath("save"), "nochar 0\nnochar 0\n");
    readindex(list);
    EXPECT_EQ(list[0].lv, 1);
    EXPECT_EQ(list[1].lv, 0) << "a broken file names nothing";
}

TEST_F(SaveKill, TwoGamesSavingIntoOneFolderAtOnceKeepBothGames)
{
    constexpr int SAVES = 100;
    freshgame(1);
    int order[2];  // which game saved, save after save
    ASSERT_EQ(pipe(order), 0);
    auto start = std::chrono::steady_clock::now();
    pid_t games[2];
    for (int g = 0; g < 2; g++) {
        if ((games[g] = fork()) != 0) continue;
        // game g saves into place a or b, its level and money new each time
        srand(g + 1u);
        int failed = 0;
        for (int i = 1; i <= SAVES; i++) {
            money = 1000 * (g + 1) + i, pc.lv = 1 + i % 30;
            std::snprintf(pc.name, NAMESIZE, "game%d", g);
            keys(std::string(1, static_cast<char>('a' + g)) + "y ");
            failed += run(save) != -1 || screen().find("セーブしました") == std::string::npos;
            failed += write(order[1], &"ab"[g], 1) != 1;
            usleep(rand() % 3000u);  // a player's keys between saves
        }
        _exit(failed);
    }
    for (pid_t game : games) {
        int status = 0;
        ASSERT_EQ(waitpid(game, &status, 0), game);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "saves that failed: " << WEXITSTATUS(status);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    char saves[2 * SAVES];
    ASSERT_EQ(read(order[0], saves, sizeof saves), static_cast<ssize_t>(sizeof saves));
    int turns = 0;  // how often the saving passed from one game to the other
    for (int i = 1; i < 2 * SAVES; i++) turns += saves[i] != saves[i - 1];
    // the index as the last save left it, without the repair a look would make
    indexentry list[16];
    parseindex(slurp(savepath("save")), list);
    for (int g = 0; g < 2; g++) {
        EXPECT_EQ(std::string(list[g].name) + " " + std::to_string(list[g].lv), "game" + std::to_string(g) + " 11");
        EXPECT_EQ(loaded(g), 1000 * (g + 1) + SAVES) << "the last save of each game loads";
    }
    std::printf("[ two games] %d saves each into places a and b in %.2f s, the turn passing %d times\n",
                SAVES, seconds, turns);
}
