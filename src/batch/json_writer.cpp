// JSON text for the batch tool's result.
#include "batch/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace ormevak::batch {

std::string jsonEscape(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c >= 0x80) {
                // The analysis file is single-byte text; bytes above 127 are written as Latin-1.
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ",";
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ += "{";
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endObject() {
    out_ += "}";
    first_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ += "[";
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endArray() {
    out_ += "]";
    first_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::key(const std::string& name) {
    separate();
    out_ += jsonEscape(name) + ":";
    afterKey_ = true;
    return *this;
}
JsonWriter& JsonWriter::value(const std::string& text) {
    separate();
    out_ += jsonEscape(text);
    return *this;
}
JsonWriter& JsonWriter::value(long long number) {
    separate();
    out_ += std::to_string(number);
    return *this;
}
JsonWriter& JsonWriter::value(float number) {
    separate();
    if (!std::isfinite(number)) {
        out_ += "null"; // JSON has no infinities; the model never should either
        return *this;
    }
    // As printf's "%.9g" writes it (enough digits to give the float back), without the cost of
    // printf: the JSON of a large plan holds tens of thousands of numbers.
    char buf[32];
    const auto written = std::to_chars(buf, buf + sizeof buf, static_cast<double>(number),
                                       std::chars_format::general, 9);
    out_.append(buf, written.ptr);
    return *this;
}
JsonWriter& JsonWriter::raw(const std::string& json) {
    separate();
    out_ += json;
    return *this;
}
JsonWriter& JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
    return *this;
}

} // namespace ormevak::batch
