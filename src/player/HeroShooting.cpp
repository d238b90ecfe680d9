#include "player/HeroShooting.h"

#include <cstdlib>

#include "player/GameState.h"
#include "player/HeroSounds.h"
#include "core/Random.h"

namespace {

constexpr int kShotPaletteRow = 1;    // the hero's look in the fire pose
constexpr int kLevel2PaletteRow = 6;  // flashing while level 2 is ready
constexpr int kLevel3PaletteRow = 7;  // flashing while level 3 is ready
constexpr int kMuzzlePaletteRow = 2;
constexpr int kChargeRecoil2PaletteRow = 16;
constexpr int kShortPose = 20;      // fireTimer of a level 1 or 2 shot
constexpr int kLongPose = 35;       // fireTimer of a level 3 shot
constexpr int kShortFlashEnd = 15;  // the shot's palette flash ends here
constexpr int kLongFlashEnd = 29;
constexpr int kChargeLoopCounter = 30;  // the charge loop starts after this
constexpr int kCannonChannel = 1;
constexpr int kMuzzleTop = 40;        // muzzle centre height in the hero's frame
constexpr int kDashMuzzleReach = 13;  // the dash pose holds the cannon further out

// A muzzle's offset from the hero: x for a hero facing right / left.
struct MuzzleOffset {
    int right;
    int left;
};

bool FacesRight(const GameObject& hero) {
    return hero.direction == 1;
}

GameObject* CreateMuzzle(GameState& game, const char* name, int paletteRow, MuzzleOffset offset) {
    GameObject& hero = *game.world.Hero();
    GameObject* muzzle = game.world.CreateObjectInCategory(name, paletteRow, Category::PlayerFX);
    muzzle->parent = &hero;
    muzzle->parentOffset =
        Vector2(static_cast<float>(FacesRight(hero) ? offset.right : offset.left),
                static_cast<float>(kMuzzleTop - muzzle->anim.frameHeight / 2));
    return muzzle;
}

// The look shared by the muzzle objects of one shot.
void AimMuzzle(GameObject& muzzle, const GameObject& hero, const Vector2& position) {
    muzzle.position = position;
    muzzle.dieOnWall = false;
    muzzle.direction = Opposite(hero.direction);
}

void SetPaletteRow(GameObject& o, int row) {
    o.anim.SetPaletteRow(row);
}

// The orb, or null once a script has removed it.
GameObject* ChargeOrb(GameState& game) {
    GameObject* orb = game.world.FromHandle(World::ToHandle(game.player.chargeOrb));
    if (!orb) game.player.chargeOrb = nullptr;
    return orb;
}

}  // namespace

int ShotLevel(int counter) {
    if (counter < kChargeLevel2) return 1;
    return counter < kChargeLevel3 ? 2 : 3;
}

void HeroFire(GameState& game, int weaponIndex) {
    if (!game.world.Hero()) return;
    GameObject& hero = *game.world.Hero();
    World& world = game.world;
    const int level = ShotLevel(hero.counter);

    GameObject* firing = nullptr;
    GameObject* glow = nullptr;
    if (level == 1) {
        firing = CreateMuzzle(game, "Recoil", kMuzzlePaletteRow, {51, 7});
    } else if (level == 2) {
        firing = CreateMuzzle(game, "BusterRecoil", kMuzzlePaletteRow, {55, 3});
    } else {
        glow = CreateMuzzle(game, "ChargeRecoil2", kChargeRecoil2PaletteRow, {33, 1});
        firing = CreateMuzzle(game, "ChargeRecoil", kMuzzlePaletteRow, {28, 6});
    }

    if (level < 3) {
        if (hero.anim.IsPlaying("Stand") || hero.anim.IsPlaying("FireStand") ||
            hero.anim.IsPlaying("FireRecoil"))
            hero.anim.ChangeAnimation("BeginFire");
    } else if (hero.anim.IsPlaying("Stand")) {
        hero.anim.ChangeAnimation("FireRecoil");
    }

    SetPaletteRow(hero, kShotPaletteRow);
    hero.fireTimer = level == 3 ? kLongPose : kShortPose;

    // Channel 1 also carries the charge loop, which the shot cuts off.
    static const char* const kShotSounds[3] = {"Shot", "TSHT_M", "TSHT_L"};
    PlayHeroSound(world, kShotSounds[level - 1], kCannonChannel, 0);
    if (level == 3 && RandomBelow(2) == 0)
        PlayHeroSound(world, "VO_PL00\\ROOK_KIAI7.WAV", -1, 0, true);

    firing->weaponIndex = weaponIndex;
    firing->weaponLevel = level;
    const Vector2 position =
        hero.position + Vector2(FacesRight(hero) ? 49.25f : 16.75f,
                                static_cast<float>(kMuzzleTop - firing->anim.frameHeight / 2));
    if (hero.anim.IsPlaying("Dash")) {
        // The reach follows the facing, as the mirrored muzzle offsets do.
        firing->parentOffset.x +=
            static_cast<float>(kDashMuzzleReach * (FacesRight(hero) ? 1 : -1));
        if (hero.anim.currentFrame > 1) firing->parentOffset.y += 10.0f;
        if (hero.anim.currentFrame > 2) firing->parentOffset.y += 4.0f;
    }
    AimMuzzle(*firing, hero, position);
    if (glow) AimMuzzle(*glow, hero, position);
}

void OnFirePressed(GameState& game, int weaponIndex) {
    if (!game.world.Hero() || game.world.Hero()->counter < 0) return;
    game.world.Hero()->counter = 1;
    HeroFire(game, weaponIndex);
}

void OnFireReleased(GameState& game, int weaponIndex) {
    if (!game.world.Hero()) return;
    GameObject& hero = *game.world.Hero();
    if (hero.counter < kChargeLevel2) {
        hero.counter = 0;
        return;
    }
    HeroFire(game, weaponIndex);
    SetPaletteRow(hero, 0);
    hero.counter = kChargeCoolDown;
}

void ChangeWeapon(GameObject& hero, int step) {
    if (step == 0) return;
    const int count = static_cast<int>(hero.weapons.size());
    if (count == 0) {
        hero.currentWeapon = 0;
        return;
    }
    auto stepOnce = [&](int from) {
        int next = from + step;
        if (next < 0) next = count - 1;
        if (next >= count) next = 0;
        return next;
    };
    hero.currentWeapon = stepOnce(hero.currentWeapon);
    // Index 1 has no meaning for the hero's cannon and is passed over.
    if (hero.currentWeapon == 1) hero.currentWeapon = stepOnce(hero.currentWeapon);
}

void AutoRecharge(GameState& game) {
    if (game.world.Hero() && game.controls[Attack1].held && game.world.Hero()->counter == 0) game.world.Hero()->counter = 1;
}

void UpdateFirePose(GameState& game) {
    if (!game.world.Hero()) return;
    GameObject& hero = *game.world.Hero();
    AnimationSet& anim = hero.anim;
    const PlayerState& player = game.player;

    if (hero.fireTimer == kShortPose || hero.fireTimer == kLongPose) {
        anim.Show(player.fireSheet);
        if (anim.IsPlaying("BeginFire")) {
            anim.SeekFrame(0);
            anim.loopCount = 0;  // a restarted animation has not ended
        }
    }
    if (hero.fireTimer == kLongPose) SetPaletteRow(hero, kShotPaletteRow);

    // "FireStand" is one long frame; entering it part-way makes the pose end
    // together with fireTimer. The shot's flash ends on its own frame even
    // when "BeginFire" ends on that same frame.
    if (anim.IsPlaying("BeginFire") && anim.EndOfAnimation()) {
        anim.ChangeAnimation("FireStand");
        anim.SeekFrame(kLongPose - hero.fireTimer);
    }
    if (hero.fireTimer == kShortFlashEnd || hero.fireTimer == kLongFlashEnd) SetPaletteRow(hero, 0);
    if (hero.fireTimer > 0 && anim.IsPlaying("Stand")) {
        anim.ChangeAnimation("FireStand");
        anim.SeekFrame(kLongPose - hero.fireTimer);
    }

    if (hero.fireTimer >= 0) {
        if (hero.fireTimer == 0) {
            anim.Show(player.normalSheet);
        }
        --hero.fireTimer;
    }
}

void UpdateChargeDisplay(GameState& game) {
    if (!game.world.Hero()) return;
    GameObject& hero = *game.world.Hero();
    GameObject* orb = ChargeOrb(game);
    const int counter = hero.counter;
    const bool flashOn = (counter / 2) % 2 == 1;

    if (counter >= kChargeLevel3 && !game.flow.frozen) {
        if (orb) orb->anim.ChangeAnimation("Charge");
        SetPaletteRow(hero, flashOn ? kLevel3PaletteRow : 0);
    } else if (counter >= kChargeLevel2) {
        if (orb) orb->anim.ChangeAnimation("Stand");
        SetPaletteRow(hero, flashOn ? kLevel2PaletteRow : 0);
    } else if (orb) {
        orb->anim.ChangeAnimation("Stand");
    }

    if (counter == kChargeLevel2) PlayHeroSound(game.world, "ENTAME", kCannonChannel, 0);
    if (counter > kChargeLoopCounter && !game.world.ChannelPlaying(kCannonChannel))
        PlayHeroSound(game.world, "ENLOOP", kCannonChannel, -1);
}
