// Replaces the global operator new and delete of the unit test binary; see failing_allocation.h.
#include "failing_allocation.h"

#include <cstdlib>
#include <new>

namespace {

thread_local int allocationsBeforeFailure = -1;  // -1: none fails

}  // namespace

void tarvello::test::FailAllocation(int allocationsBefore) {
    allocationsBeforeFailure = allocationsBefore;
}

void* operator new(std::size_t size) {
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
        throw std::bad_alloc();
    }
    if (allocationsBeforeFailure > 0)
        --allocationsBeforeFailure;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
