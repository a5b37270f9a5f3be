// Counts heap allocations made by anything in the process (operator new,
// malloc from OpenSSL and mbedTLS alike): malloc and its relatives are
// replaced by counting wrappers around glibc's own allocator.
#pragma once

#include <cstdint>

uint64_t allocationCount();
