#include "objects/TileContact.h"

#include "objects/World.h"
#include "stage/TileCollision.h"

namespace {

TileBody BodyOf(const GameObject& o) {
    TileBody body;
    body.position = o.position;
    body.velocity = o.velocity;
    body.left = o.anim.left;
    body.top = o.anim.top;
    body.right = o.anim.right;
    body.bottom = o.anim.bottom;
    body.airborne = o.airborne;
    body.onSlope = o.onSlope;
    body.gravity = o.gravity;
    return body;
}

void Apply(const TileBody& body, GameObject& o) {
    o.position = body.position;
    o.velocity = body.velocity;
    o.airborne = body.airborne;
    o.onSlope = body.onSlope;
}

// Run as the floor probe meets ground while the object is still in the air:
// the wall results it reads are the previous update's, as the walls are
// probed after the floor.
void LandingPose(GameObject& o) {
    if (o.wallState != 0) {
        o.wallState = 0;
        o.direction = Opposite(o.direction);
    }
    const float vx = o.velocity.x;
    if (vx == 0.0f || (vx < 0.0f && !o.freeLeft) || (vx > 0.0f && !o.freeRight))
        o.anim.ChangeAnimation("Land");
    else
        o.anim.ChangeAnimation("Walk");
}

bool WallResponse(World& world, GameObject& o, const TileBody& body, WallContact contact,
                  bool& free) {
    Apply(body, o);
    free = contact == WallContact::None;
    if (contact == WallContact::PushedOut) EndDash(world, o);
    return contact != WallContact::None;
}

}  // namespace

bool CollideFloor(World& world, GameObject& o) {
    TileBody body = BodyOf(o);
    const bool landed = CollideFloor(world.stage, body);
    if (body.touchedDown) LandingPose(o);
    const bool fromAir = o.airborne != 0;
    Apply(body, o);
    if (landed) {
        o.dashJump = false;
        if (fromAir && o.name == kHeroName) world.PlaySound("SE_PL00\\ROOK_CHAKU.WAV", 0, 0);
    }
    return landed;
}

bool CollideCeiling(World& world, GameObject& o) {
    TileBody body = BodyOf(o);
    if (!CollideCeiling(world.stage, body)) return false;
    Apply(body, o);
    o.wallState = 0;
    return true;
}

bool CollideRightWall(World& world, GameObject& o) {
    TileBody body = BodyOf(o);
    const WallContact contact = CollideRightWall(world.stage, body);
    return WallResponse(world, o, body, contact, o.freeRight);
}

bool CollideLeftWall(World& world, GameObject& o) {
    TileBody body = BodyOf(o);
    const WallContact contact = CollideLeftWall(world.stage, body);
    return WallResponse(world, o, body, contact, o.freeLeft);
}

void EndDash(World& world, GameObject& o) {
    o.dashTimer = 0;
    o.speed = o.walkSpeed;
    if (o.anim.IsPlaying("Dash")) {
        o.anim.ChangeAnimation("DashEnd");
        world.PlaySound("SE_PL00\\ROOK_BRAKE.WAV", 0, 0);
    }
}
