#pragma once
// How code on other threads reaches an object that may go before it: through
// a hold, which the object's end revokes. A hold keeps the object from going
// while it lasts; once revoked, every hold is empty.
//
// Holds are short: what is done inside one never waits on anything slow (a
// log write, the network, another hold), since the revocation waits for the
// hold in use to end.

#include <mutex>
#include <utility>

namespace Zuno {

template <class T>
class Revocable {
public:
    explicit Revocable(T* target) : target_(target) {}
    Revocable(const Revocable&) = delete;
    Revocable& operator=(const Revocable&) = delete;

    class Hold {
    public:
        explicit operator bool() const { return target_ != nullptr; }
        T* operator->() const { return target_; }

    private:
        friend class Revocable;
        Hold(std::unique_lock<std::mutex> lock, T* target) : lock_(std::move(lock)), target_(target) {}

        std::unique_lock<std::mutex> lock_;
        T* target_;
    };

    // The object, kept until the hold ends; empty once revoked.
    Hold hold() {
        std::unique_lock<std::mutex> lock(mutex_);
        T* target = target_;
        return Hold(std::move(lock), target);
    }

    // Called by the object's end: returns once no hold is in use, and every
    // later hold is empty.
    void revoke() {
        std::lock_guard<std::mutex> lock(mutex_);
        target_ = nullptr;
    }

private:
    std::mutex mutex_;
    T* target_;
};

} // namespace Zuno
