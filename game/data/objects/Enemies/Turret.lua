-- Turret: a mortar emplacement. It turns to face the hero and, while the hero
-- is in range, lobs a shell at where the hero stands: the distance from
-- PlayerDistanceX sets the shell's sideways speed so that its arc comes down
-- there. Walking into it hurts too. Four small shots end it.

local RANGE = 200          -- horizontal distance to the hero, pixels
local RELOAD = 100         -- frames between two shells
local LAUNCH_UP = -4.0     -- the shell's first vertical speed (TurretShot adds gravity)
local FLIGHT = 43          -- frames a shell takes to come down to the floor
local MAX_SIDE = 4.0
local SHELL_PALETTE = 13   -- alarm red
local CONTACT_DAMAGE = 2
local HEALTH = 4

TurretState = TurretState or {}  -- turret handle -> frames until it may fire

-- The hero's x distance from the turret's middle (the hero's frame is 64
-- wide, the turret's 32); nil without a hero.
local function HeroOffset(self)
  local dx = PlayerDistanceX(self)
  if not dx or dx >= 99999 then return nil end
  return -(dx + 16 - 32)
end

local function Launch(self)
  local shell = CreateObject(self, "TurretShot", "EnemyWeapons", 0, SHELL_PALETTE, 1, true)
  if not shell then return end
  -- From the leading edge to the barrel's mouth, up and a little back.
  MoveObject(shell, 6, -5)
  local offset = HeroOffset(self) or 0
  local d = GetDirection(self)
  -- The shell starts 10 pixels ahead of the middle (16 - 6).
  local side = (offset + d * 10) / FLIGHT
  if side > MAX_SIDE then side = MAX_SIDE elseif side < -MAX_SIDE then side = -MAX_SIDE end
  TurretShotLaunch(shell, side, LAUNCH_UP)
end

function TurretCreate(self)
  SetHealth(self, HEALTH)
  SetPower(self, CONTACT_DAMAGE)
  SetPalette(self, 8)  -- steel
  ChangeAnimation(self, "Idle")
  TurretState[self] = RELOAD / 2
end

function TurretUpdate(self)
  local wait = (TurretState[self] or RELOAD) - 1
  TurretState[self] = wait
  if IsPlaying(self, "Fire") then
    if EndOfAnimation(self) then ChangeAnimation(self, "Idle") end
    return
  end
  local offset = HeroOffset(self)
  if not offset then return end
  SetDirection(self, offset < 0 and 1 or -1)
  if wait <= 0 and math.abs(offset) < RANGE then
    TurretState[self] = RELOAD
    ChangeAnimation(self, "Fire")
  end
end

-- The shell leaves on the recoil frame of "Fire" (frames count from 0).
function TurretOnFrame1(self)
  if IsPlaying(self, "Fire") then Launch(self) end
end

function TurretCollide(self, other)
  if other == GetPlayer() then
    DamagePlayer(other, GetPower(self))
  else
    TakeDamage(self, GetPower(other))
    SetHealth(other, 0)
  end
end

function TurretDeath(self)
  local burst = CreateObject(self, "Explosion", "EnemyFX", 0, 0, 1, false)
  MoveObject(burst, 16, 0)
  TurretState[self] = nil
end
