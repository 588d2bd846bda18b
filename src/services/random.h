#pragma once
// The program's one pseudo-random generator: uniform draws in [0, 1) for the
// shuffle and for Zufallszahl. Randomize mixes the system clock into the
// generator's state, so draws in quick succession still differ and stay uniform.

#include <functional>

namespace Allgemein {

// A draw in [0, 1).
double Rnd();

// Seeds the generator afresh from the system clock (mixed into its state).
void Randomize();

// Tests script the draws; an empty function restores the generator.
void setRndForTesting(std::function<double()> source);

}  // namespace Allgemein
