// A reference solver for the tests: linear algebra over the integers mod K.
#pragma once

#include <vector>

#include "engine/PuzzleGame.h"

struct Move { int x, y; };

// The effect of pressing each cell, measured on a copy of the game (frozen, no owner), then
// solved for every uniform target colour. Returns the presses of the first solution found: none
// for a board that cannot be solved (or is solved already).
std::vector<Move> SolveBoard(const CPuzzleGame& game);
