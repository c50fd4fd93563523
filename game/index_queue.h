// A double-ended queue of cell indices that allocates nothing until the first push and keeps its
// storage when emptied. The board's view holds four of them, and the demo builds a scratch board (with
// its own view) for every candidate shot, so an empty queue must cost nothing.
#pragma once

#include <cstddef>
#include <vector>

class IndexQueue {
 public:
  // Appends value at the back.
  void push_back(int value) { items_.push_back(value); }
  // Removes the front entry; the queue must not be empty.
  void pop_front() {
    if (++head_ == items_.size()) clear();
  }
  // The front entry; the queue must not be empty.
  int front() const { return items_[head_]; }
  // The back entry; the queue must not be empty.
  int back() const { return items_.back(); }
  // True when nothing is queued.
  bool empty() const { return head_ == items_.size(); }
  // Number of queued entries.
  std::size_t size() const { return items_.size() - head_; }
  // The i-th entry from the front.
  int operator[](std::size_t i) const { return items_[head_ + i]; }
  // Empties the queue, keeping its storage.
  void clear() {
    items_.clear();
    head_ = 0;
  }
  // The queued entries front to back, for in-place reordering.
  int* begin() { return items_.data() + head_; }
  int* end() { return items_.data() + items_.size(); }
  const int* begin() const { return items_.data() + head_; }
  const int* end() const { return items_.data() + items_.size(); }

 private:
  std::vector<int> items_;
  std::size_t head_ = 0;
};
