#pragma once

// Sine, cosine and tangent computed by the program itself from IEEE additions, subtractions,
// multiplications and divisions only, so that every platform's build gets the same bits: the C
// libraries' functions differ in the last bit for a few arguments in a hundred, and a metaball
// cell or a particle's fate can turn on that bit. Radians in, as std::sin and the others.
// Within about an ulp of the true value for |x| < 1.6e6; beyond that the argument is reduced
// less exactly (the result is still the same everywhere, in [-1, 1] for sin and cos). Not a
// number or an infinity gives not a number.
namespace trig {

double sin(double x);
double cos(double x);
double tan(double x);
// The double result rounded to float.
float sin(float x);
float cos(float x);

}  // namespace trig
