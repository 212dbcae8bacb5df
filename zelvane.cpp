// zelvane: multiplies a Fourier transform by a transfer function and turns
// the product back into time histories.
#include "driver/run.hpp"

int main() { return zelvane::run_program(); }
