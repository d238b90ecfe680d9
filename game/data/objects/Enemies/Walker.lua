-- Walker: a shelled patrol drone. It paces its floor, turns round at walls
-- and at ledges, and hurts the hero on contact. Three small shots end it.
--
-- A script cannot see the map, so the walker feels its way. Every few frames
-- it puts two invisible feelers just ahead of itself in "Misc": a toe at its
-- feet ("WalkerToe", reaching 6 pixels lower so that a slope going down still
-- counts as floor) and a nose at its middle ("WalkerNose"). A feeler lives
-- for one update, in which the engine runs its tile collision; feelers are
-- made to die on walls, so when a feeler's Update hook runs, its health tells
-- whether it touched a tile. A toe that touched nothing means a ledge ahead,
-- a nose that touched something means a wall. The walker reads both in its
-- next update and turns round if either says so.

local SPEED = 0.75         -- pixels per frame
local FEEL_EVERY = 4       -- frames between two feelings
local CONTACT_DAMAGE = 2
local HEALTH = 3

WalkerState = WalkerState or {}      -- walker handle -> { ledge, wall, faced }
WalkerFeelers = WalkerFeelers or {}  -- feeler handle -> its walker's handle

local function Walk(self)
  SetVelocity(self, -GetDirection(self) * SPEED, 0)
end

local function Feel(self, kind)
  local feeler = CreateObject(self, kind, "Misc", 0, 0, 1, true)
  if feeler then WalkerFeelers[feeler] = self end
end

-- Hands a feeler's finding to its walker and ends the feeler.
local function Report(feeler, key, found)
  local owner = WalkerFeelers[feeler]
  WalkerFeelers[feeler] = nil
  SetHealth(feeler, 0)
  local state = owner and WalkerState[owner]
  if state then state[key] = found end
end

function WalkerCreate(self)
  SetHealth(self, HEALTH)
  SetPower(self, CONTACT_DAMAGE)
  ChangeAnimation(self, "Walk")
  WalkerState[self] = {}
end

function WalkerUpdate(self)
  local state = WalkerState[self]
  if not state then
    state = {}
    WalkerState[self] = state
  end
  if not state.faced then
    -- First update, now that the walker stands where it was placed: set off
    -- toward the hero (a positive distance means the hero is to the left).
    state.faced = true
    local dx = PlayerDistanceX(self)
    if dx and dx < 99999 then SetDirection(self, dx > 16 and 1 or -1) end
    Walk(self)
  end
  if state.ledge ~= nil and state.wall ~= nil then
    if state.ledge or state.wall then SetDirection(self, -GetDirection(self)) end
    state.ledge, state.wall = nil, nil
    Walk(self)  -- also sets off again if something stopped it
  end
  if GetLifetime(self) % FEEL_EVERY == 0 then
    Feel(self, "WalkerToe")
    Feel(self, "WalkerNose")
  end
end

function WalkerToeUpdate(self) Report(self, "ledge", GetHealth(self) > 0) end
function WalkerNoseUpdate(self) Report(self, "wall", GetHealth(self) <= 0) end

-- The hero walks into it, or one of the hero's shots hits it.
function WalkerCollide(self, other)
  if other == GetPlayer() then
    DamagePlayer(other, GetPower(self))
  else
    TakeDamage(self, GetPower(other))
    SetHealth(other, 0)
  end
end

function WalkerDeath(self)
  local burst = CreateObject(self, "Explosion", "EnemyFX", 0, 0, 1, false)
  MoveObject(burst, 16, 0)  -- from the leading edge to the middle
  WalkerState[self] = nil
end
