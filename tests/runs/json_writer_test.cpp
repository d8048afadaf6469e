// The run files' state lines are written by JsonWriter and read where the
// JSON library's compact text once stood: every value the library can hold
// (bar fractions, which the game has none of) comes out byte for byte as the
// library writes it.
#include <gtest/gtest.h>

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "app/json_writer.h"

namespace {

using Json = nlohmann::ordered_json;

void write(const Json& value, JsonWriter& out) {
  if (value.is_object()) {
    out.beginObject();
    for (const auto& [name, item] : value.items()) {
      out.key(name);
      write(item, out);
    }
    out.endObject();
  } else if (value.is_array()) {
    out.beginArray();
    for (const Json& item : value) write(item, out);
    out.endArray();
  } else if (value.is_string()) {
    out.string(value.get<std::string>());
  } else if (value.is_boolean()) {
    out.boolean(value.get<bool>());
  } else if (value.is_null()) {
    out.null();
  } else {
    out.number(value.get<int64_t>());
  }
}

TEST(JsonWriter, WritesEveryKindOfValueAsTheLibraryDoes) {
  std::string controls;
  for (char c = 1; c < 0x20; ++c) controls += c;
  controls += std::string(1, '\0') + "\"\\/\x7f";
  const Json states[] = {
      Json::object(),
      Json::array(),
      Json{{"ticks", 0}, {"title", "Snowvel"}, {"player", nullptr}, {"on", true}, {"off", false}},
      Json{{"low", INT64_MIN}, {"high", INT64_MAX}, {"minus", -1}, {"u32", UINT32_MAX}},
      Json{{"", ""}, {controls, controls}, {"utf-8", "Skiløper \u26f7 \U0001F3BF"}},
      Json{{"nested", {{"empty", Json::object()}, {"list", Json::array({Json::array(), 1})}}},
           {"boxes", Json::array({Json{{"caption", "High Scores"}, {"answerId", 1}},
                                  Json{{"caption", "x"}, {"text", "a\r\nb\tc"}}})}},
      Json::array({Json::object(), Json::array({Json::array({Json::array()})}), "", 0, nullptr}),
  };
  for (const Json& state : states) {
    JsonWriter out;
    write(state, out);
    EXPECT_EQ(out.text(), state.dump());
  }
}

}  // namespace
