-- BusterRecoil: the flash at the cannon's mouth for a level 2 shot, and the object
-- that fires it. The hero's firing code creates it on the hero (parented,
-- so it rides along), then gives it the weapon, the level, its place and
-- its facing; the shot therefore leaves on the muzzle's first update, once
-- all of that is set, rather than in a Create hook. The .script file ends
-- the muzzle when its flash has played (KillOnEndAnim).

function BusterRecoilUpdate(self)
    if GetLifetime(self) == 0 then
        FireWeapon(self)
    end
end
