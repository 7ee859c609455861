#pragma once
// Reference-counted automation objects and the late-bound call (GetIDsOfNames / Invoke).
#include <atomic>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

namespace zelt {

class Variant;

enum class InvokeKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

// The dispatch identifier of an object's default member (rs("Nome"), user("NomeDeUsuario")).
inline constexpr int32_t DispidValue = 0;

class Object {
public:
    Object() noexcept;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    void AddRef() const noexcept { refs_.fetch_add(1, std::memory_order_relaxed); }
    void Release() const noexcept {
        if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
    }

    // Late binding. The defaults know no member: GetIDsOfNames and Invoke raise error 438.
    // Names are matched case-insensitively. By-reference arguments are written back into args.
    virtual int32_t GetIDsOfNames(std::string_view name) const;
    virtual Variant Invoke(int32_t dispid, InvokeKind kind, std::span<Variant> args);

    // Objects of the process alive now (every class counts), for DllCanUnloadNow.
    static long liveObjects() noexcept;

private:
    mutable std::atomic<long> refs_{0};
};

// Counted reference to an Object: copying adds a reference, the last one going ends the object.
template <class T>
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    Ref(T* p) noexcept : p_(p) { if (p_) p_->AddRef(); }
    Ref(const Ref& o) noexcept : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U> requires std::is_convertible_v<U*, T*>
    Ref(const Ref<U>& o) noexcept : Ref(o.get()) {}
    ~Ref() { if (p_) p_->Release(); }
    Ref& operator=(Ref o) noexcept { std::swap(p_, o.p_); return *this; }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    void reset() noexcept { Ref().swap(*this); }
    void swap(Ref& o) noexcept { std::swap(p_, o.p_); }
    friend bool operator==(const Ref& a, const Ref& b) { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

template <class T, class... A>
Ref<T> make(A&&... a) { return Ref<T>(new T(std::forward<A>(a)...)); }

// dynamic_cast for references; an empty Ref when the object is not a T.
template <class T, class U>
Ref<T> refCast(const Ref<U>& r) { return Ref<T>(dynamic_cast<T*>(r.get())); }

}  // namespace zelt
