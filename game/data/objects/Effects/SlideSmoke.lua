-- SlideSmoke: dust where the hero rubs the wall, carried down with him (it
-- is parented to him) while he slides. When he leaves the wall the dust is
-- let go and thins out where it is; the .script file ends it (KillOnEndAnim).

function SlideSmokeUpdate(self)
    if not IsPlaying(GetPlayer(), "Slide") then
        SetParent(self, 0)
    end
end
