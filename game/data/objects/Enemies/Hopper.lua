-- Hopper: a spring-legged frog drone. It crouches, springs toward the hero
-- in a high arc, lands (its HitGround hook) and crouches again. Landing on
-- the hero or being walked into hurts. Four small shots end it.

local LEAP_UP = -4.75
local LEAP_SIDE = 1.25
local CONTACT_DAMAGE = 3
local HEALTH = 4

function HopperCreate(self)
  SetHealth(self, HEALTH)
  SetPower(self, CONTACT_DAMAGE)
  SetPalette(self, 3)  -- green
  ChangeAnimation(self, "Crouch")
end

function HopperUpdate(self)
  if not (IsPlaying(self, "Crouch") and EndOfAnimation(self)) then return end
  local dx = PlayerDistanceX(self)
  if dx and dx < 99999 then SetDirection(self, dx > 16 and 1 or -1) end
  SetVelocity(self, -GetDirection(self) * LEAP_SIDE, LEAP_UP)
  ChangeAnimation(self, "Leap")
end

function HopperHitGround(self)
  SetVelocity(self, 0, 0)
  ChangeAnimation(self, "Crouch")
end

function HopperCollide(self, other)
  if other == GetPlayer() then
    DamagePlayer(other, GetPower(self))
  else
    TakeDamage(self, GetPower(other))
    SetHealth(other, 0)
  end
end

function HopperDeath(self)
  local burst = CreateObject(self, "Explosion", "EnemyFX", 0, 0, 1, false)
  MoveObject(burst, 16, 0)
end
