// The looks the composing benchmark runs in: the default look, and skins
// from a skins directory, or else three sample skins written into a
// temporary folder (an opaque nine-slice, a magenta colour key, per-pixel
// alpha).
#pragma once
#include <string>
#include <vector>
#include "support/win_helpers.h"

// Writes the sample skins into `dir`; returns their names.
std::vector<std::string> writeSampleSkins(const TempDir& dir);
// The names of the skin definitions ("*.ini") in `directory`.
std::vector<std::string> skinsIn(const std::string& directory);
