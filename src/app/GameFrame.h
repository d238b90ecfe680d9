// GameFrame: the simulation of one game frame, everything but the drawing,
// so that tests and recorded-input runs can step the game without a window.
//
// In order: the frame counter advances; the hero's death check; input (the
// pressed and released edges are cleared and the event pump runs) while the
// stage flow lets input through and the game is not frozen; the object update
// unless frozen; the quit-flag check; the camera step. While the life refill
// freezes the game, input and the object update are skipped but the camera
// goes on.
#pragma once

struct Game;
struct EventSource;

// False when the game is to quit: the event pump reported Escape or the
// window's close button (the rest of the frame does not run), or a script set
// the quit flag during the update (the camera step and drawing are skipped).
bool RunGameFrame(Game& game, EventSource& events);
