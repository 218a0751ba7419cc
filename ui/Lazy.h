// A window made on its first use: windows the user may never open cost
// nothing at start-up.
#pragma once
#include <functional>
#include <utility>

template <class T>
class Lazy {
public:
    explicit Lazy(std::function<T*()> make) : make_(std::move(make)) {}
    Lazy(const Lazy&) = delete;
    Lazy& operator=(const Lazy&) = delete;

    T* get()
    {
        if (!object_)
            object_ = make_();
        return object_;
    }
    T* operator->() { return get(); }
    T& operator*() { return *get(); }
    operator T*() { return get(); }

    // The object if it has been made, without making it.
    T* ifMade() const { return object_; }

private:
    std::function<T*()> make_;
    T* object_ = nullptr;
};
