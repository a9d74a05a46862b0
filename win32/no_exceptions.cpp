// The program is built without exceptions: it catches none, and the library would throw
// only when memory runs out or on a misuse, either of which ended the program before
// (uncaught, then abort). These take the place of the library's throwing helpers and of
// operator new, which would throw std::bad_alloc, and abort at once. So the executable
// carries neither the unwinder, the exception classes and the terminate handler's
// demangler, nor the thread library those lock with.
//
// Every helper the library's functexcept.o defines is here, so that it is never linked:
// a helper missing here would bring it back and fail the link with duplicate symbols.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    std::abort();
}

namespace std {

void __throw_bad_exception() { abort(); }
void __throw_bad_alloc() { abort(); }
void __throw_bad_array_new_length() { abort(); }
void __throw_bad_cast() { abort(); }
void __throw_bad_typeid() { abort(); }
void __throw_bad_function_call() { abort(); }
void __throw_logic_error(const char*) { abort(); }
void __throw_domain_error(const char*) { abort(); }
void __throw_invalid_argument(const char*) { abort(); }
void __throw_length_error(const char*) { abort(); }
void __throw_out_of_range(const char*) { abort(); }
void __throw_out_of_range_fmt(const char*, ...) { abort(); }
void __throw_runtime_error(const char*) { abort(); }
void __throw_range_error(const char*) { abort(); }
void __throw_overflow_error(const char*) { abort(); }
void __throw_underflow_error(const char*) { abort(); }

}  // namespace std
