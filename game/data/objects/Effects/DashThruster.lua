-- DashThruster: the jet of the hero's boots during a dash, parented to the
-- hero behind his back. It burns through its animation and ends there (the
-- .script file's KillOnEndAnim); it goes out at once when the dash does (a
-- brake, a jump, a wall), and turns with the hero.

function DashThrusterUpdate(self)
    local hero = GetPlayer()
    if not IsPlaying(hero, "Dash") then
        SetHealth(self, 0)
    end
    SetDirection(self, GetDirection(hero))
end
