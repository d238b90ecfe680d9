-- TurretShot: the mortar's shell. It flies the arc its turret gave it
-- (TurretShotLaunch), falls under its own gravity, and bursts on the first
-- tile or on the hero.

local GRAVITY = 0.2
local MAX_FALL = 5.0
local DAMAGE = 3

TurretShotArc = TurretShotArc or {}  -- shell handle -> { side, up }

-- Called by the turret right after it made the shell.
function TurretShotLaunch(self, side, up)
  TurretShotArc[self] = { side = side, up = up }
  SetVelocity(self, side, up)
end

function TurretShotCreate(self)
  SetPower(self, DAMAGE)
  TurretShotArc[self] = nil
end

function TurretShotUpdate(self)
  local arc = TurretShotArc[self]
  if not arc then return end
  local fall = arc.up + GRAVITY * (GetLifetime(self) + 1)
  if fall > MAX_FALL then fall = MAX_FALL end
  SetVelocity(self, arc.side, fall)
end

-- Enemy shots meet only the hero.
function TurretShotCollide(self, other)
  DamagePlayer(other, GetPower(self))
  SetHealth(self, 0)
end

function TurretShotDeath(self)
  local burst = CreateObject(self, "Explosion", "EnemyFX", 0, 0, 1, false)
  MoveObject(burst, 6, 0)  -- centred on the shell
  TurretShotArc[self] = nil
end
