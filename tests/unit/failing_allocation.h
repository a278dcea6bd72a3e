// Memory that runs out on cue, for the tests of what the program does then: the unit test binary's operator new
// fails once, on this thread, at the allocation asked for.
#pragma once

namespace tarvello::test {

// The allocation after `allocationsBefore` more ones (0: the next one) throws std::bad_alloc; later ones succeed.
void FailAllocation(int allocationsBefore = 0);

}  // namespace tarvello::test
