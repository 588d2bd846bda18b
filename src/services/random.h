#pragma once
// The program's one pseudo-random generator: uniform draws in [0, 1) for the
// shuffle and for Zufallszahl. Randomize mixes the system clock into the
// generator's state, so draws in quick succession still differ and stay uniform.
// Tests script the draws (services::Seams).

namespace Allgemein {

// A draw in [0, 1).
double Rnd();

// Seeds the generator afresh from the system clock (mixed into its state).
void Randomize();

}  // namespace Allgemein
