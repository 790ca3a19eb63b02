// A look-up from keys to the value their first row gave.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ormevak {

// Keys to the value their first row gave: an open-addressed table sized for its rows, filled in
// row order, where a key met again keeps its first value, as a search from the top of the table
// finds it.
template <typename Key> class FirstOf {
  public:
    explicit FirstOf(int rows) {
        size_t size = 16;
        while (size < 2 * static_cast<size_t>(std::max(rows, 0))) size *= 2;
        keys_.assign(size, Key{});
        values_.assign(size, 0);
        used_.assign(size, 0);
    }
    void add(Key key, int32_t value) {
        size_t i = slot(key);
        for (; used_[i] != 0; i = (i + 1) & mask())
            if (keys_[i] == key) return;
        keys_[i] = key;
        values_[i] = value;
        used_[i] = 1;
    }
    // The first value given for the key, 0 when no row holds it.
    int32_t find(Key key) const {
        for (size_t i = slot(key); used_[i] != 0; i = (i + 1) & mask())
            if (keys_[i] == key) return values_[i];
        return 0;
    }

  private:
    size_t mask() const { return keys_.size() - 1; }
    size_t slot(Key key) const {
        return static_cast<size_t>((static_cast<uint64_t>(key) * 0x9E3779B97F4A7C15ull) >> 32) &
               mask();
    }
    std::vector<Key> keys_;
    std::vector<int32_t> values_;
    std::vector<uint8_t> used_;
};

} // namespace ormevak
