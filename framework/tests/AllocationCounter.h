// Live heap blocks made through operator new in this test program, to show
// that framework objects give back everything they take.
#pragma once

#include <cstddef>

long LiveAllocations();
