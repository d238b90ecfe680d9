-- Rook: the hero. The engine drives him (controls, cannon, hurt and the life
-- gauge); his script decides only what his death leads to. As he vanishes a
-- ring of bursts flies off where he stood, and a moment later the stage he
-- died in (the engine's global StageName) fades out and starts over.

local VANISH_AFTER = 9     -- frames from death to vanishing (the death voice)
local RESTART_AFTER = 50   -- frames from death to the fade-out
local BURST_PALETTE = 16   -- cyan to white
local RINGS = { { count = 8, speed = 2.5 }, { count = 4, speed = 1.25 } }

RookSinceDeath = nil  -- frames since the hero died, nil while he lives

local function Burst(self)
  local d = GetDirection(self)
  for r, ring in ipairs(RINGS) do
    local turn = (r - 1) * 0.25  -- the inner ring between the outer one's bursts
    for i = 0, ring.count - 1 do
      local burst = CreateObject(self, "Explosion", "PlayerFX", 0, BURST_PALETTE, 1, false)
      if burst then
        -- From where the engine puts it (by the hero's front edge) to his middle.
        OffsetObject(burst, 32 * d, 4)
        local angle = (i + turn) * 2 * math.pi / ring.count
        SetVelocity(burst, math.cos(angle) * ring.speed, math.sin(angle) * ring.speed)
      end
    end
  end
end

-- The hero's gauge holds 32 points and every stage starts him at 32: make
-- that his maximum too, so that capsules refill him up to a full gauge.
function RookCreate(self)
  SetHealth(self, 32)
end

function RookDeath(self)
  RookSinceDeath = 0
end

function RookUpdate(self)
  if not RookSinceDeath then return end
  RookSinceDeath = RookSinceDeath + 1
  if RookSinceDeath == VANISH_AFTER then Burst(self) end
  if RookSinceDeath >= RESTART_AFTER then
    RookSinceDeath = nil
    if StageName then FadeToStage(StageName) end
  end
end
