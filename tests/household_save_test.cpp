// What the household screens leave behind (plots, warehouse, skills) survives a save and
// a load.

#include <cstring>

#include "core/rules.h"
#include "home/savefile.h"
#include "savekit.h"
#include "trade/craft.h"
#include "trade/farm.h"
#include "trade/warehouse.h"

namespace {
struct kept {
    cropdata crp[LISTSIZE];
    slot warehouseitm[LISTSIZE], warehousemat[LISTSIZE], mat[LISTSIZE];
    int skl[16];
    int farmlv, warehouselv;
};

kept keep()
{
    kept k;
    std::memcpy(k.crp, crp, sizeof crp);
    std::memcpy(k.warehouseitm, warehouseitm, sizeof warehouseitm);
    std::memcpy(k.warehousemat, warehousemat, sizeof warehousemat);
    std::memcpy(k.mat, mat, sizeof mat);
    std::memcpy(k.skl, skl, sizeof skl);
    k.farmlv = farmlv;
    k.warehouselv = warehouselv;
    return k;
}
}  // namespace

TEST_F(SaveTest, PlotsWarehouseAndSkillsComeBackAfterTheHouseholdScreens)
{
    freshgame(1);
    farmlv = 2, warehouselv = 3;
    bagput(inv, maxinv, VEGETABLESEED, 2);
    bagput(inv, maxinv, 0, 5);
    inv[2] = {45, 4};
    bagput(mat, maxmat, 0, 6);
    bagput(mat, maxmat, FISH, 3);
    skl[2 * SKEQUIP + 1] = 0;  // the next sword made raises the skill

    keys("pa" "pa" "q");  // sow both seeds
    ASSERT_EQ(run(farm), -1);
    keys("aa2\n " "ab" "cb3\n " "q");  // 2 potions, the wand, 3 fish (the seeds are gone)
    ASSERT_EQ(run(warehouseio), -1);
    std::srand(3);
    for (int i = 0; i < 40 && skl[2 * SKEQUIP] == 1; i++) {
        if (bagused(mat, maxmat) == 0 || mat[0].count < 3) bagput(mat, maxmat, 0, 3);
        equipment[0].kind = -1;
        keys("aaaaa ");  // a sword from three stones
        ASSERT_EQ(run(make), -1);
    }
    ASSERT_EQ(skl[2 * SKEQUIP], 2) << "a sword was made and the skill rose";
    ASSERT_EQ(crp[1].kind, 0);
    ASSERT_EQ(warehouseitm[1].kind, 45);
    kept before = keep();

    keys("cy ");
    ASSERT_EQ(run(save), -1);
    resetstate();
    ASSERT_TRUE(loadgame(2));
    kept after = keep();
    EXPECT_EQ(after.farmlv, 2);
    EXPECT_EQ(after.warehouselv, 3);
    EXPECT_EQ(std::memcmp(before.crp, after.crp, sizeof(cropdata) * 2), 0);
    EXPECT_EQ(std::memcmp(before.warehouseitm, after.warehouseitm, sizeof(slot) * 3), 0);
    EXPECT_EQ(std::memcmp(before.warehousemat, after.warehousemat, sizeof(slot) * 3), 0);
    EXPECT_EQ(std::memcmp(before.mat, after.mat, sizeof(slot) * maxmat), 0);
    EXPECT_EQ(std::memcmp(before.skl, after.skl, sizeof skl), 0);
}
