// Objects kept on a thread from one use to the next. What is costly to make afresh for
// every run (a run's store with its 500 DAF keys, a file's 64 KiB write buffer) is made
// once per thread and lent out again, so runs on many threads do not keep the allocator
// busy.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

namespace vorn {

// Lends one of the calling thread's spare objects of type T, or a new one when none is
// spare (the first loan, or more loans at once than the thread keeps); takes it back at
// the end of the loan, or drops it when `Kept` are spare already. The borrower finds the
// object as the last borrower left it, and resets what it needs.
template <class T, std::size_t Kept = 2>
class ThreadSpare {
 public:
  ThreadSpare() {
    for (std::unique_ptr<T>& spare : spares()) {
      if (spare) {
        object_ = std::move(spare);
        return;
      }
    }
    object_ = std::make_unique<T>();
  }
  ~ThreadSpare() {
    for (std::unique_ptr<T>& spare : spares()) {
      if (!spare) {
        spare = std::move(object_);
        return;
      }
    }
  }
  ThreadSpare(const ThreadSpare&) = delete;
  ThreadSpare& operator=(const ThreadSpare&) = delete;

  T& operator*() const { return *object_; }
  T* operator->() const { return object_.get(); }

 private:
  static std::array<std::unique_ptr<T>, Kept>& spares() {
    thread_local std::array<std::unique_ptr<T>, Kept> kept;
    return kept;
  }
  std::unique_ptr<T> object_;
};

}  // namespace vorn
