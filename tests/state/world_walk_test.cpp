#include "state/world_walk.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Thing {
    int Id;
    int Steps = 0;
    bool Dead = false;
};

}  // namespace

TEST(UpdateWalk, DeletesInPlaceAndStepsAppendedObjects) {
    ObjectList<Thing> list;
    for (int id = 0; id < 4; ++id) list.push_back(std::make_unique<Thing>(Thing{id}));
    std::string order;
    UpdateObjects(list, [&](Thing& t) {
        order += std::to_string(t.Id);
        ++t.Steps;
        // 1 dies and its place is taken by 2, which must still be stepped;
        // 3 brings a newcomer that is stepped in the same walk.
        if (t.Id == 1) t.Dead = true;
        if (t.Id == 3) list.push_back(std::make_unique<Thing>(Thing{9}));
    });
    EXPECT_EQ(order, "01239");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1]->Id, 2);
    EXPECT_EQ(list[3]->Id, 9);
    for (auto& t : list) EXPECT_EQ(t->Steps, 1);
}

TEST(UpdateWalk, ConsecutiveDeathsAreAllRemoved) {
    ObjectList<Thing> list;
    for (int id = 0; id < 5; ++id) list.push_back(std::make_unique<Thing>(Thing{id}));
    UpdateObjects(list, [](Thing& t) { t.Dead = t.Id != 4; });
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->Id, 4);
}
