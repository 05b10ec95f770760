#pragma once
// Memory for the big arrays of a list: its rows' bytes and where each row starts. A block takes a
// wide range of address space at first and the system hands it pages only as they are written, so
// growing neither copies nor fills fresh memory twice; past its first 256 KB it asks for large pages.
// On a virtual machine, filling fresh memory 4 KB at a time cost more than reading the data files.

#include <cstddef>
#include <cstring>
#include <type_traits>

class GrowingBlock {
  public:
    GrowingBlock() = default;
    ~GrowingBlock();
    GrowingBlock(GrowingBlock&& other) noexcept;
    GrowingBlock& operator=(GrowingBlock&& other) noexcept;
    GrowingBlock(const GrowingBlock&) = delete;
    GrowingBlock& operator=(const GrowingBlock&) = delete;

    /// Makes room for bytes more at the end and returns where they go; commit() adds them. Only when
    /// the range taken is full are the bytes moved, so pointers hold until the next reserve().
    char* reserve(std::size_t bytes);
    /// Adds the bytes written at the place reserve() returned; returns their offset.
    std::size_t commit(std::size_t bytes);
    /// Drops bytes from the end.
    void shrink(std::size_t bytes) { size_ -= bytes; }
    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

  private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

/// An array of plain values kept in a GrowingBlock.
template <class T> class BlockArray {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    std::size_t size() const { return block_.size() / sizeof(T); }
    T* begin() { return reinterpret_cast<T*>(block_.data()); }
    T* end() { return begin() + size(); }
    T operator[](std::size_t i) const { return reinterpret_cast<const T*>(block_.data())[i]; }
    T& operator[](std::size_t i) { return begin()[i]; }
    void push_back(T value) {
        std::memcpy(block_.reserve(sizeof value), &value, sizeof value);
        block_.commit(sizeof value);
    }
    void insert(std::size_t at, T value) {
        block_.reserve(sizeof value);
        T* const first = begin();
        std::memmove(first + at + 1, first + at, (size() - at) * sizeof(T));
        first[at] = value;
        block_.commit(sizeof value);
    }
    void erase(std::size_t at) {
        T* const first = begin();
        std::memmove(first + at, first + at + 1, (size() - at - 1) * sizeof(T));
        block_.shrink(sizeof(T));
    }

  private:
    GrowingBlock block_;
};
