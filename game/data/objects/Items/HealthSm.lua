-- HealthSm: a small energy capsule that enemies drop. Touching it refills 2 points
-- of the hero's life. Left lying, it blinks and then fades away.
--
-- Its Collide hook runs in the hero's pass, where Kill would name the hero:
-- the capsule ends itself with SetHealth instead.

local HEAL = 2
local BLINK_AT = 300   -- frames
local GONE_AT = 420

function HealthSmUpdate(self)
  local age = GetLifetime(self)
  if age == BLINK_AT then
    ChangeAnimation(self, "Blink")
  elseif age >= GONE_AT then
    SetHealth(self, 0)
  end
end

function HealthSmCollide(self, other)
  if GetHealth(self) <= 0 then return end  -- taken already this frame
  AddPlayerHealth(HEAL)
  SetHealth(self, 0)
end
