-- BusterShotM: a shot of the hero's cannon ("Rook Buster.weapon" gives its speed and
-- power). It flies straight and ends on the first enemy it hits; a wall ends
-- it too (the engine's dieOnWall).
function BusterShotMCollide(self, other)
  SetHealth(self, 0)
end
