// A small JSON writer: objects, arrays, strings, integers and floats as %.9g.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ormevak::batch {

class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(const std::string& name);
    JsonWriter& value(const std::string& text);
    JsonWriter& value(const char* text) { return value(std::string(text)); }
    JsonWriter& value(long long number);
    JsonWriter& value(int number) { return value(static_cast<long long>(number)); }
    JsonWriter& value(float number); // enough digits to read back the same float
    JsonWriter& value(bool flag);
    JsonWriter& raw(const std::string& json); // an already written JSON value
    const std::string& str() const { return out_; }

  private:
    void separate();
    std::string out_;
    std::vector<bool> first_; // per open container: no element written yet
    bool afterKey_ = false;
};

std::string jsonEscape(const std::string& text);

} // namespace ormevak::batch
