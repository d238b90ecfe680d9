-- CopyRook: an after-image of the hero, left behind every few frames of a
-- dash. It wears the hero's own sheet, in the pose and facing he had when
-- it was made, and is drawn in light through "BluePalette" (the after-image
-- list is drawn additively). It steps down the palette's rows as it ages and
-- ends after a few frames.

local kLifetime = 8  -- updates an after-image lasts

function CopyRookCreate(self)
    local hero = GetPlayer()
    SetTexture(self, "Player\\Rook")
    CopyAnimation(self, hero)
    SetDirection(self, GetDirection(hero))
end

function CopyRookUpdate(self)
    local age = GetLifetime(self)
    if age >= kLifetime then
        SetHealth(self, 0)
    else
        SetPalette(self, age)
    end
end
