#include "agent/service/kqml_writer.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

// Strings, lists and keywords are written back in kqml_reader_test.cpp, and a line break in a
// string in responder_test.cpp; here, the words that cannot stand bare.
TEST(KqmlWriterTest, AWordIsQuotedOnlyWhenItCannotBeReadAsOne) {
  const std::pair<const char*, const char*> cases[] = {
      {"two words", R"("two words")"},
      {"", R"("")"},
      {"a(b", R"("a(b")"},
      {"a\"b", R"("a\"b")"},
  };
  for (const auto& [word, text] : cases) EXPECT_EQ(WriteKqml(KqmlValue::Word(word)), text);
}

}  // namespace
}  // namespace dayweave::agent
