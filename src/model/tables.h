#pragma once
// Dense tables with fixed index ranges, the storage of the project state.
#include <cassert>
#include <cstddef>
#include <vector>

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
    int rows() const { return rows_; }
    int cols() const { return cols_; }

private:
    int rows_ = 0;
    int cols_ = 0;
    std::vector<T> data_;
};

// A three-index table (a, b, c) whose middle index is the day: each (a, c) pair holds one
// contiguous series over the days, so a loop over days reads and writes memory in order.
template <class T>
class DaySeriesTable {
public:
    DaySeriesTable() = default;
    DaySeriesTable(int outer, int days, int inner) { resize(outer, days, inner); }

    void resize(int outer, int days, int inner) {
        outer_ = outer;
        days_ = days;
        inner_ = inner;
        data_.assign(std::size_t(outer) * std::size_t(inner) * std::size_t(days), T{});
    }
    T& operator()(int a, int day, int c) {
        assert(in(a, day, c));
        return data_[index(a, day, c)];
    }
    const T& operator()(int a, int day, int c) const {
        assert(in(a, day, c));
        return data_[index(a, day, c)];
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
    std::vector<T> data_;
};

}  // namespace tarn
