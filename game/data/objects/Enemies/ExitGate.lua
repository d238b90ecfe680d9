-- ExitGate: the field of the exit teleporter. Placed among a stage's enemies
-- so that it appears as the camera brings the exit into view; the hero
-- stepping into it fades the game out to the stage its route names. Shots
-- and other objects pass it by (a shot still ends on it by its own hook).
--
-- The route is read from the stage the gate stands in (the engine's global
-- StageName): add a line here for a gate in a new stage.

ExitGateRoutes = ExitGateRoutes or {
  Foundry = "Foundry2",
  Foundry2 = "Foundry",
}

ExitGateTaken = ExitGateTaken or {}  -- gate handle -> true once the hero entered
ExitGateUnrouted = ExitGateUnrouted or {}  -- stages reported without a route

function ExitGateCreate(self)
  ChangeAnimation(self, "Stand")
  ExitGateTaken[self] = nil
end

function ExitGateCollide(self, other)
  if GetName(other) ~= "Rook" or ExitGateTaken[self] then return end
  local target = ExitGateRoutes[StageName or ""]
  if not target then
    if not ExitGateUnrouted[StageName or ""] then
      ExitGateUnrouted[StageName or ""] = true
      print("ExitGate: no route from the stage " .. tostring(StageName) ..
            " (add one to ExitGateRoutes in ExitGate.lua)")
    end
    return
  end
  ExitGateTaken[self] = true
  PlaySound("SE_PL00\\ROOK_DISAPP.WAV")
  FadeToStage(target)
end

function ExitGateDeath(self)
  ExitGateTaken[self] = nil
end
