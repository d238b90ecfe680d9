#include "objects/Category.h"

#include <algorithm>

namespace {

using C = Category;

// clang-format off
const std::vector<CategoryRow>& Rows() {
    static const std::vector<CategoryRow> rows = {
        // id               name            prefix       tiles  leaves hit    kept   targets                                 update death draw
        {C::Player,        "Player",        "Player\\",  true,  false, false, true,  {C::Enemies, C::EnemyWeapons, C::Items}, 5,     -1,   4},
        {C::PlayerBGFX,    "PlayerBGFX",    "Player\\",  false, false, false, false, {},                                      3,      7,   1},
        {C::PlayerWeapons, "PlayerWeapons", "Player\\",  true,  true,  true,  false, {C::Enemies},                            4,      1,   7},
        {C::Enemies,       "Enemies",       "Enemies\\", true,  true,  false, false, {C::Player, C::PlayerWeapons},           2,      0,   0},
        {C::EnemyWeapons,  "EnemyWeapons",  "Enemies\\", true,  true,  false, false, {C::Player},                             1,      6,   6},
        {C::EnemyFX,       "EnemyFX",       "Effects\\", false, false, false, false, {},                                      6,      2,   5},
        {C::PlayerFX,      "PlayerFX",      "Effects\\", false, false, false, true,  {},                                      8,      4,   8},
        {C::PlayerFXBack,  "PlayerFXBack",  "Effects\\", false, false, false, false, {},                                      7,      3,   2},
        {C::Items,         "Items",         "Items\\",   true,  true,  false, false, {},                                      0,      8,   3},
        {C::Misc,          "Misc",          "",          true,  false, false, false, {},                                      9,      5,  -1},
    };
    return rows;
}
// clang-format on

std::vector<Category> Ordered(int CategoryRow::*order) {
    std::vector<const CategoryRow*> rows;
    for (const CategoryRow& row : Rows())
        if (row.*order >= 0) rows.push_back(&row);
    std::sort(rows.begin(), rows.end(),
              [order](const CategoryRow* a, const CategoryRow* b) { return a->*order < b->*order; });
    std::vector<Category> ids;
    for (const CategoryRow* row : rows) ids.push_back(row->id);
    return ids;
}

}  // namespace

const CategoryRow& RowOf(Category category) {
    return Rows()[static_cast<size_t>(category)];
}

const CategoryRow* FindCategory(const std::string& name) {
    for (const CategoryRow& row : Rows())
        if (name == row.name) return &row;
    return nullptr;
}

const std::vector<Category>& UpdateOrder() {
    static const std::vector<Category> order = Ordered(&CategoryRow::updateOrder);
    return order;
}

const std::vector<Category>& RemovalOrder() {
    static const std::vector<Category> order = Ordered(&CategoryRow::removalOrder);
    return order;
}

const std::vector<Category>& DrawOrder() {
    static const std::vector<Category> order = Ordered(&CategoryRow::drawOrder);
    return order;
}
