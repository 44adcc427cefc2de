#pragma once
#include <array>

// The files brought up to date with every module, in the order they are checked. Two names
// stand twice (rows 15 and 16 repeat rows 3 and 9): the table keeps them, the engine fetches
// each name once.
extern const std::array<const char*, 51> SharedFiles;
