// Category: the ten object categories and every rule that depends on one,
// in one table (Category.cpp): the name scripts use, the sprite-set folder,
// whether its objects collide with tiles and leave with the view, what its
// objects are tested against, its place in the update, death and removal,
// and draw orders.
//
// A category name outside the ten is accepted: its objects get no folder
// prefix and tile collision, and its list exists but is never updated,
// drawn or removed.
#pragma once

#include <string>
#include <vector>

enum class Category {
    Player,
    PlayerBGFX,
    PlayerWeapons,
    Enemies,
    EnemyWeapons,
    EnemyFX,
    PlayerFX,
    PlayerFXBack,
    Items,
    Misc
};

constexpr int kCategoryCount = static_cast<int>(Category::Misc) + 1;

struct CategoryRow {
    Category id;
    const char* name;     // as scripts spell it
    const char* prefix;   // of its sprite sets' names
    bool tileCollision;   // at creation
    bool leavesView;      // dies (silently) once it leaves the view window
    bool hitSound;        // its hits and wall hits play the hit sound (the hero's shots)
    bool keptOnNewStage;  // survives a stage load
    std::vector<Category> targets;  // lists its objects are tested against
    int updateOrder;      // its pass among the ten
    int removalOrder;     // its turn in the death pass and the removal; -1 never (the hero)
    int drawOrder;        // its turn in the frame; -1 never drawn
};

// The row of a category.
const CategoryRow& RowOf(Category category);
// The row of a name, or null for a name outside the ten.
const CategoryRow* FindCategory(const std::string& name);
inline const char* NameOf(Category category) { return RowOf(category).name; }

// The categories in the order of the update passes, of the death pass and
// the removal, and of the drawing.
const std::vector<Category>& UpdateOrder();
const std::vector<Category>& RemovalOrder();
const std::vector<Category>& DrawOrder();
