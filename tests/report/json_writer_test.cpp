// The JSON writer: nesting with commas and indentation, strings escaped, numbers JSON can hold.
#include "report/output/json_writer.h"

#include <gtest/gtest.h>

#include <limits>

TEST(JsonWriter, NestsObjectsAndArraysWithCommasAndIndentation) {
  JsonWriter json;
  json.begin_object();
  json.key("a");
  json.value(1);
  json.key("list");
  json.begin_array();
  json.value(true);
  json.value(0.5);
  json.begin_object();
  json.end_object();
  json.begin_array();
  json.end_array();
  json.end_array();
  json.key("b");
  json.value("x");
  json.end_object();
  EXPECT_EQ(json.text(),
            "{\n"
            "  \"a\": 1,\n"
            "  \"list\": [\n"
            "    true,\n"
            "    0.5,\n"
            "    {},\n"
            "    []\n"
            "  ],\n"
            "  \"b\": \"x\"\n"
            "}");
}

TEST(JsonWriter, EscapesQuotesBackslashesAndControlCharacters) {
  JsonWriter json;
  json.value(std::string("say \"hi\"\\ \n\t\x01 \xc3\xa9"));
  EXPECT_EQ(json.text(), "\"say \\\"hi\\\"\\\\ \\n\\t\\u0001 \xc3\xa9\"");
}

TEST(JsonWriter, NumbersAreJsonNumbersAndNonFiniteOnesNull) {
  JsonWriter json;
  json.begin_array();
  json.value(-0.0);
  json.value(1e-7);
  json.value(123456789.0);
  json.value(-2.25);
  json.value(std::numeric_limits<double>::infinity());
  json.value(std::numeric_limits<double>::quiet_NaN());
  json.value(-7);
  json.value(false);
  json.end_array();
  EXPECT_EQ(json.text(),
            "[\n  0,\n  1e-07,\n  1.23457e+08,\n  -2.25,\n  null,\n  null,\n  -7,\n"
            "  false\n]");
}
