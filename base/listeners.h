#pragma once
// Whoever wants to be told of something: listeners added and removed by id,
// told in the order they were added.

#include <functional>
#include <map>
#include <utility>

namespace qv {

template <typename... Args>
class Listeners {
 public:
  using Listener = std::function<void(Args...)>;

  // Ids count up from 1; 0 is never one.
  int Add(Listener listener) {
    const int id = nextId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
  }
  void Remove(int id) { listeners_.erase(id); }
  // Every listener forgotten; ids still count on, so a stale one removes nothing.
  void Clear() { listeners_.clear(); }
  bool Empty() const { return listeners_.empty(); }

  void Tell(Args... args) const {
    // A copy: a listener may add or remove listeners.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners) listener(args...);
  }

 private:
  std::map<int, Listener> listeners_;
  int nextId_ = 1;
};

}  // namespace qv
