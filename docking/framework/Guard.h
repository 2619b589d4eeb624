#pragma once
// Boundaries where no C++ exception may pass: COM methods, window and hook procedures.
#include <windows.h>

#include <new>
#include <utility>

namespace dockguard {

void Report(const char* where);

// Runs f; an exception becomes E_OUTOFMEMORY or E_UNEXPECTED.
template <class F> HRESULT Com(const char* where, F&& f) noexcept
{
    try {
        return std::forward<F>(f)();
    } catch (const std::bad_alloc&) {
        Report(where);
        return E_OUTOFMEMORY;
    } catch (...) {
        Report(where);
        return E_UNEXPECTED;
    }
}

// Runs f; an exception gives the fallback result.
template <class R, class F> R Call(const char* where, R fallback, F&& f) noexcept
{
    try {
        return std::forward<F>(f)();
    } catch (...) {
        Report(where);
        return fallback;
    }
}

}  // namespace dockguard
