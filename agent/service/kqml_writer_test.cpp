#include "agent/service/kqml_writer.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

TEST(KqmlWriterTest, WordsStringsAndLists) {
  using V = KqmlValue;
  struct Case {
    KqmlValue value;
    std::string text;
  } cases[] = {
      {V::Word("tell"), "tell"},
      {V::Word(":in-reply-to"), ":in-reply-to"},
      {V::Word("two words"), R"("two words")"},
      {V::Word(""), R"("")"},
      {V::Word("a(b"), R"("a(b")"},
      {V::Word("a\"b"), R"("a\"b")"},
      {V::String("plain"), R"("plain")"},
      {V::String(R"(C:\temp "x")"), R"("C:\\temp \"x\"")"},
      {V::String("line\nbreak"), "\"line\nbreak\""},
      {V::List({}), "()"},
      {V::List({V::Word("busy"), V::String("Lunch"), V::List({V::Word("a")})}),
       R"((busy "Lunch" (a)))"},
  };
  for (const Case& c : cases) EXPECT_EQ(WriteKqml(c.value), c.text);
}

}  // namespace
}  // namespace dayweave::agent
