#pragma once
// Runs a function when the scope ends, also when an error leaves it: closing
// the datasets an operation opened, unlocking controls it locked.

#include <utility>

namespace core {

template <typename Fn>
class Finally {
public:
    explicit Finally(Fn fn) : fn_(std::move(fn)) {}
    ~Finally() { fn_(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    Fn fn_;
};

}  // namespace core
