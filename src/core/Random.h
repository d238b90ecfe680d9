// Random: the game's one source of random draws (jump shouts, damage voices,
// the opening's streaks, item drops). Draws come from the C library's rand()
// in the order the game makes them, so a seed replays a run exactly; a test
// may put a source of its own in its place to choose each draw.
#pragma once

// srand(seed): the start-up seeds with the time, replays with their seed.
void SeedRandom(unsigned seed);

// A draw in [0, n) for n >= 1: rand() % n, or the installed source's draw
// (which must keep to that range).
int RandomBelow(int n);

// Installs draw as the source (nullptr: rand() again); returns the old one.
using RandomSource = int (*)(int n);
RandomSource SetRandomSource(RandomSource draw);
