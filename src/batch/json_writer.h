// A small JSON writer: objects, arrays, strings, integers and floats as %.9g.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ormevak::batch {

class JsonWriter {
  public:
    // Continues an object whose first fields another writer wrote: what this one writes is
    // appended to that text.
    JsonWriter& continueObject();
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(long long number);
    JsonWriter& value(int number) { return value(static_cast<long long>(number)); }
    JsonWriter& value(float number); // enough digits to read back the same float
    JsonWriter& value(bool flag);
    // An array of numbers, written as the values one by one would write it but at once: the
    // member tables have tens of thousands of rows.
    JsonWriter& numbers(std::span<const int32_t> list);
    JsonWriter& numbers(std::span<const float> list);
    JsonWriter& raw(const std::string& json); // an already written JSON value
    const std::string& str() const { return out_; }
    // Room for a text of about `bytes`, so that a large one is not copied as it grows.
    void reserve(size_t bytes) { out_.reserve(bytes); }

  private:
    void separate();
    std::string out_;
    std::vector<char> first_; // per open container: no element written yet
    bool afterKey_ = false;
};

} // namespace ormevak::batch
