#pragma once

// Small helpers shared by the Windows data source: text conversion, COM pointers and the
// translation of failure codes into PlatformError.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <windows.h>

namespace hl {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// Raises PlatformError naming the call and the code, e.g. "RegOpenKeyEx: 0x80070002 (...)".
[[noreturn]] void ThrowPlatformError(const std::string& what, long code);
inline void CheckHr(HRESULT hr, const char* what) {
    if (FAILED(hr)) ThrowPlatformError(what, hr);
}

// Owns one reference to a COM interface.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() {
        if (p_) p_->Release();
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out parameters: releases what is held and hands out the slot.
    T** Put() {
        *this = ComPtr();
        return &p_;
    }

private:
    T* p_ = nullptr;
};

// A BSTR for one call.
class Bstr {
public:
    explicit Bstr(const std::wstring& text) : s_(SysAllocString(text.c_str())) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(s_); }
    BSTR Get() const { return s_; }

private:
    BSTR s_;
};

// COM initialised on this thread for as long as someone holds it. A thread the window toolkit
// already initialised in another apartment model is used as it is.
class ComSession {
public:
    static std::shared_ptr<ComSession> Start();
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;
    ~ComSession();

private:
    explicit ComSession(bool owns) : owns_(owns) {}
    bool owns_;
};

} // namespace hl
