// GameFrame: the simulation of one game frame, everything but the drawing,
// so that tests and recorded-input runs can step the game without a window.
//
// In order: the frame counter advances; the hero's death check; input (the
// pressed and released edges are cleared and the event pump runs) while the
// stage flow lets input through and the game is not frozen; the controls half
// of the hero's controller; the hurt step; the object update; the stage-flow
// step; the quit-flag check; the animation half of the controller with the
// life gauge's values; the charge display; the hurt flashing; the camera
// step. The controller halves run only while the hero's hurtTimer is below
// 58 (after the knock-back). While the life refill freezes the game, input,
// the controller, the hurt step and the object update are skipped; the
// stage flow, the charge display and the camera go on.
#pragma once

struct Game;
struct EventSource;

// While the game is paused only the events are handled (see EventPump.h).
// False when the game is to quit: the event pump reported Escape or the
// window's close button (the rest of the frame does not run), or a script set
// the quit flag during the update or the stage-flow step (the rest of the
// frame and its drawing are skipped).
bool RunGameFrame(Game& game, EventSource& events);

struct FrameView;

// What the frame composition draws of the game after its step.
FrameView ViewOf(const Game& game);
