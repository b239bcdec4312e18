#pragma once

#include <memory>
#include <new>

namespace hl {

// Address space set aside at start and given back when the heap runs out, just before
// std::bad_alloc is thrown: unwinding still has to allocate (the JSON library's destructors
// do), and without room it would end in std::terminate instead of the caller's message.
inline void KeepMemoryReserve() {
    static std::unique_ptr<char[]> reserve(new char[16 << 20]);
    std::set_new_handler([] {
        reserve.reset();
        std::set_new_handler(nullptr);
        throw std::bad_alloc();
    });
}

} // namespace hl
