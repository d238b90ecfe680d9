#include "stage/Camera.h"

#include "objects/GameObject.h"

// Not built yet: the camera does not move.
const CameraZone* FindCameraZone(const TileLayer&, const GameObject&, const CameraZone*) { return nullptr; }
void UpdateCamera(const StageMap&, const GameObject&, Vector2&, CameraState&) {}
void SettleCamera(const StageMap&, const GameObject&, Vector2&, CameraState&) {}
