#pragma once
// Dense tables with fixed index ranges, the storage of the project state.
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/axes.h"

namespace tarn {

// A two-index table, indices 0..rows-1 and 0..cols-1, row-major.
template <class T>
class Grid {
public:
    Grid() = default;
    Grid(int rows, int cols) { resize(rows, cols); }

    void resize(int rows, int cols) {
        rows_ = rows;
        cols_ = cols;
        data_.assign(std::size_t(rows) * std::size_t(cols), T{});
    }
    // Grows to at least rows x cols, keeping every value already held.
    void grow(int rows, int cols) {
        if (rows <= rows_ && cols <= cols_) return;
        Grid bigger(rows > rows_ ? rows : rows_, cols > cols_ ? cols : cols_);
        for (int r = 0; r < rows_; ++r)
            for (int c = 0; c < cols_; ++c) bigger(r, c) = std::move((*this)(r, c));
        *this = std::move(bigger);
    }
    void fill(const T& value) { data_.assign(data_.size(), value); }

    T& operator()(int r, int c) {
        assert(r >= 0 && r < rows_ && c >= 0 && c < cols_);
        return data_[std::size_t(r) * std::size_t(cols_) + std::size_t(c)];
    }
    const T& operator()(int r, int c) const {
        assert(r >= 0 && r < rows_ && c >= 0 && c < cols_);
        return data_[std::size_t(r) * std::size_t(cols_) + std::size_t(c)];
    }
    // The value at (r, c), or an empty one where the table does not reach: for readers that
    // ask by a year or day index that a shorter record does not have.
    T value(int r, int c) const {
        return r >= 0 && r < rows_ && c >= 0 && c < cols_ ? (*this)(r, c) : T{};
    }
    int rows() const { return rows_; }
    int cols() const { return cols_; }

private:
    int rows_ = 0;
    int cols_ = 0;
    std::vector<T> data_;
};

// Zero-filled storage for large numeric tables. Fresh memory comes from calloc, which for
// large blocks hands out pages the system has already zeroed: a page of the table costs
// nothing until it is first written, so series that a project never uses never take up
// memory, and sizing a table for 40000 days is cheap.
template <class T>
class ZeroedBuffer {
    static_assert(std::is_trivially_copyable_v<T>, "ZeroedBuffer holds plain numbers");

public:
    ZeroedBuffer() = default;
    explicit ZeroedBuffer(std::size_t n) : size_(n) {
        if (n == 0) return;
        data_ = static_cast<T*>(std::calloc(n, sizeof(T)));
        if (!data_) throw std::bad_alloc();
    }
    ZeroedBuffer(const ZeroedBuffer& other) : ZeroedBuffer(other.size_) {
        if (size_) std::memcpy(data_, other.data_, size_ * sizeof(T));
    }
    ZeroedBuffer(ZeroedBuffer&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    ZeroedBuffer& operator=(ZeroedBuffer other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        return *this;
    }
    ~ZeroedBuffer() { std::free(data_); }

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    T* data_ = nullptr;
    std::size_t size_ = 0;
};

// A three-index table (a, b, c) whose middle index is the day: each (a, c) pair holds one
// contiguous series over the days, so a loop over days reads and writes memory in order.
// All series lie in one zero-filled buffer.
template <class T>
class DaySeriesTable {
public:
    DaySeriesTable() = default;
    DaySeriesTable(int outer, int days, int inner) { resize(outer, days, inner); }

    void resize(int outer, int days, int inner) {
        outer_ = outer;
        days_ = days;
        inner_ = inner;
        data_ = ZeroedBuffer<T>(std::size_t(outer) * std::size_t(inner) * std::size_t(days));
    }
    T& operator()(int a, int day, int c) {
        assert(in(a, day, c));
        return data_.data()[index(a, day, c)];
    }
    const T& operator()(int a, int day, int c) const {
        assert(in(a, day, c));
        return data_.data()[index(a, day, c)];
    }
    // The series over days 0..days()-1 of (a, c).
    T* series(int a, int c) {
        assert(in(a, 0, c));
        return data_.data() + index(a, 0, c);
    }
    const T* series(int a, int c) const {
        assert(in(a, 0, c));
        return data_.data() + index(a, 0, c);
    }
    // The value at (a, day, c), or 0 where the table does not reach.
    T value(int a, int day, int c) const { return in(a, day, c) ? (*this)(a, day, c) : T{}; }
    int outer() const { return outer_; }
    int days() const { return days_; }
    int inner() const { return inner_; }
    std::size_t bytes() const { return data_.size() * sizeof(T); }

private:
    bool in(int a, int day, int c) const {
        return a >= 0 && a < outer_ && day >= 0 && day < days_ && c >= 0 && c < inner_;
    }
    std::size_t index(int a, int day, int c) const {
        return (std::size_t(a) * std::size_t(inner_) + std::size_t(c)) * std::size_t(days_) +
               std::size_t(day);
    }
    int outer_ = 0;
    int days_ = 0;
    int inner_ = 0;
    ZeroedBuffer<T> data_;
};

// A three-index table (a, b, c), c varying fastest, that can grow keeping its values.
template <class T>
class Table3 {
public:
    Table3() = default;
    Table3(int a, int b, int c) { resize(a, b, c); }
    void resize(int a, int b, int c) {
        a_ = a;
        b_ = b;
        c_ = c;
        data_.assign(std::size_t(a) * std::size_t(b) * std::size_t(c), T{});
    }
    void growLast(int c) {
        if (c <= c_) return;
        Table3 bigger(a_, b_, c);
        for (int i = 0; i < a_; ++i)
            for (int j = 0; j < b_; ++j)
                for (int k = 0; k < c_; ++k) bigger(i, j, k) = std::move((*this)(i, j, k));
        *this = std::move(bigger);
    }
    T& operator()(int a, int b, int c) {
        assert(a >= 0 && a < a_ && b >= 0 && b < b_ && c >= 0 && c < c_);
        return data_[(std::size_t(a) * std::size_t(b_) + std::size_t(b)) * std::size_t(c_) + std::size_t(c)];
    }
    const T& operator()(int a, int b, int c) const {
        assert(a >= 0 && a < a_ && b >= 0 && b < b_ && c >= 0 && c < c_);
        return data_[(std::size_t(a) * std::size_t(b_) + std::size_t(b)) * std::size_t(c_) + std::size_t(c)];
    }
    // The value at (a, b, c), or an empty one where the table does not reach.
    T value(int a, int b, int c) const {
        return a >= 0 && a < a_ && b >= 0 && b < b_ && c >= 0 && c < c_ ? (*this)(a, b, c) : T{};
    }
    int size3() const { return c_; }

private:
    int a_ = 0, b_ = 0, c_ = 0;
    std::vector<T> data_;
};

// Element i of a table kept as a vector, or an empty value where it does not reach.
template <class T>
T valueAt(const std::vector<T>& v, int i) {
    return i >= 0 && std::size_t(i) < v.size() ? v[std::size_t(i)] : T{};
}

// A Grid whose axes are the types R and C: a named axis type where the index has a meaning
// of its own, int where it is a plain position (a month, a year, a row).
// A fixed array indexed by a named axis E (whose values are the indices 0..N-1).
template <class T, class E, std::size_t N>
struct TypedArray {
    std::array<T, N> items{};
    T& operator[](E e) { return items[std::size_t(e)]; }
    const T& operator[](E e) const { return items[std::size_t(e)]; }
};

template <class T, class R, class C>
class TypedGrid {
public:
    TypedGrid() = default;
    TypedGrid(int rows, int cols) : g_(rows, cols) {}
    void resize(int rows, int cols) { g_.resize(rows, cols); }
    void grow(int rows, int cols) { g_.grow(rows, cols); }
    void fill(const T& value) { g_.fill(value); }
    T& operator()(R r, C c) { return g_(indexOf(r), indexOf(c)); }
    const T& operator()(R r, C c) const { return g_(indexOf(r), indexOf(c)); }
    T value(R r, C c) const { return g_.value(indexOf(r), indexOf(c)); }
    int rows() const { return g_.rows(); }
    int cols() const { return g_.cols(); }

private:
    Grid<T> g_;
};

// A DaySeriesTable whose outer and inner axes are the types A and C.
template <class T, class A, class C>
class TypedDaySeries {
public:
    TypedDaySeries() = default;
    TypedDaySeries(int outer, int days, int inner) : t_(outer, days, inner) {}
    void resize(int outer, int days, int inner) { t_.resize(outer, days, inner); }
    T& operator()(A a, int day, C c) { return t_(indexOf(a), day, indexOf(c)); }
    const T& operator()(A a, int day, C c) const { return t_(indexOf(a), day, indexOf(c)); }
    T* series(A a, C c) { return t_.series(indexOf(a), indexOf(c)); }
    const T* series(A a, C c) const { return t_.series(indexOf(a), indexOf(c)); }
    T value(A a, int day, C c) const { return t_.value(indexOf(a), day, indexOf(c)); }
    int outer() const { return t_.outer(); }
    int days() const { return t_.days(); }
    int inner() const { return t_.inner(); }
    std::size_t bytes() const { return t_.bytes(); }

private:
    DaySeriesTable<T> t_;
};

// A Table3 whose axes are the types A, B and C.
template <class T, class A, class B, class C>
class TypedTable3 {
public:
    TypedTable3() = default;
    TypedTable3(int a, int b, int c) : t_(a, b, c) {}
    void growLast(int c) { t_.growLast(c); }
    T& operator()(A a, B b, C c) { return t_(indexOf(a), indexOf(b), indexOf(c)); }
    const T& operator()(A a, B b, C c) const { return t_(indexOf(a), indexOf(b), indexOf(c)); }
    T value(A a, B b, C c) const { return t_.value(indexOf(a), indexOf(b), indexOf(c)); }
    int size3() const { return t_.size3(); }

private:
    Table3<T> t_;
};

}  // namespace tarn
