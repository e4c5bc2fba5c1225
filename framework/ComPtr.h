#pragma once
// A minimal owning COM interface pointer: releases its interface when reset or destroyed, so no
// reference is ever leaked or released twice.
#include <unknwn.h>

#include <utility>

namespace fw {

template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes a new reference to p.
    explicit ComPtr(T* p) noexcept : p_(p) {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other) noexcept {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr(std::move(other)).Swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) noexcept {
        Reset();
        return *this;
    }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // Releases the interface held.
    void Reset() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    // Takes over a reference the caller already owns (for example a freshly created object).
    void Attach(T* p) noexcept {
        Reset();
        p_ = p;
    }
    // Gives up the reference without releasing it.
    T* Detach() noexcept { return std::exchange(p_, nullptr); }
    // Releases the interface held and returns the slot for an out parameter.
    T** ReleaseAndGetAddressOf() noexcept {
        Reset();
        return &p_;
    }
    void Swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

    // QueryInterface for U into out; out is empty when the object does not support U.
    template <class U>
    HRESULT As(ComPtr<U>& out) const noexcept {
        if (!p_) {
            out.Reset();
            return E_POINTER;
        }
        return p_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(out.ReleaseAndGetAddressOf()));
    }

private:
    T* p_ = nullptr;
};

} // namespace fw
