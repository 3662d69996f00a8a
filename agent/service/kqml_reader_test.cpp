#include "agent/service/kqml_reader.h"

#include <gtest/gtest.h>

#include "agent/service/kqml_writer.h"

namespace dayweave::agent {
namespace {

struct Outcome {
  std::vector<std::string> messages;  // as written back
  std::string fault;
};

// Reads `text` in pieces of `piece` bytes (0: all at once), on past a fault, which is final.
Outcome ReadInPieces(const std::string& text, std::size_t piece,
                     std::size_t most = KqmlReader::kMostMessageBytes) {
  KqmlReader reader(most);
  std::vector<KqmlValue> values;
  Outcome outcome;
  const std::size_t step = piece == 0 ? text.size() + 1 : piece;
  for (std::size_t at = 0; at < text.size(); at += step) {
    if (auto fault = reader.Read(std::string_view(text).substr(at, step), values)) {
      outcome.fault = *fault;
    }
  }
  for (const KqmlValue& value : values) outcome.messages.push_back(WriteKqml(value));
  return outcome;
}

TEST(KqmlReaderTest, MessagesAndFaultsWhateverThePieces) {
  const std::string kClosing = "a closing parenthesis with nothing open";
  const std::string kEscape = "a backslash in a string before neither \" nor \\";
  const std::string kQuote = "a double quote inside a word";
  const std::string kOutside = "text outside a message, which begins with an opening parenthesis";
  struct Case {
    std::string text;
    std::vector<std::string> messages;
    std::string fault;
  } cases[] = {
      {R"((ask-one :content (free "4/14/2003 9:30 AM" 30)))",
       {R"((ask-one :content (free "4/14/2003 9:30 AM" 30)))"},
       ""},
      {" (a)\n\t(b)\r\n\f(c)(d)", {"(a)", "(b)", "(c)", "(d)"}, ""},
      {"(tell\n:content\t(x  y))", {"(tell :content (x y))"}, ""},
      {R"((a "say \"hi\" \\ bye" "" "(" b\c))", {R"((a "say \"hi\" \\ bye" "" "(" b\c))"}, ""},
      {R"((a "x"y))", {R"((a "x" y))"}, ""},
      {"(() ((a)))", {"(() ((a)))"}, ""},
      {"(a (b", {}, ""},
      {"(a \"open string )", {}, ""},
      {")", {}, kClosing},
      {"(a))(b)", {"(a)"}, kClosing},
      {R"((a "\n"))", {}, kEscape},
      {R"((a b"c"))", {}, kQuote},
      {R"((a) b)", {"(a)"}, kOutside},
      {R"("a")", {}, kOutside},
  };
  for (const Case& c : cases) {
    for (const std::size_t piece : {0, 1, 2, 7}) {
      const Outcome outcome = ReadInPieces(c.text, piece);
      EXPECT_EQ(outcome.messages, c.messages) << c.text << " in pieces of " << piece;
      EXPECT_EQ(outcome.fault, c.fault) << c.text << " in pieces of " << piece;
    }
  }
}

TEST(KqmlReaderTest, Limits) {
  const auto nested = [](std::size_t depth) {
    return std::string(depth, '(') + std::string(depth, ')');
  };
  const auto values = [](std::size_t count) {  // the message's list is one of them
    std::string text = "(";
    for (std::size_t i = 1; i < count; ++i) text += "a ";
    return text + ")";
  };
  const auto sized = [](std::size_t bytes) { return "(" + std::string(bytes - 2, 'x') + ")"; };
  const std::size_t most = KqmlReader::kMostMessageBytes;
  struct Case {
    std::string text;
    std::string fault;  // empty: read as one message
  } cases[] = {
      {sized(most), ""},
      {sized(most + 1), "a message longer than 65536 bytes"},
      {"(\"" + std::string(most, 's') + "\")", "a message longer than 65536 bytes"},
      {nested(KqmlReader::kDeepestNesting), ""},
      {nested(KqmlReader::kDeepestNesting + 1), "lists nested deeper than 32"},
      {values(KqmlReader::kMostValues), ""},
      {values(KqmlReader::kMostValues + 1), "a message of more than 4096 values"},
      {"(" + std::string(KqmlReader::kMostValues, '(') + ")", "lists nested deeper than 32"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = ReadInPieces(c.text, 1000);
    EXPECT_EQ(outcome.fault, c.fault) << c.text.substr(0, 40);
    EXPECT_EQ(outcome.messages.size(), c.fault.empty() ? 1u : 0u) << c.text.substr(0, 40);
  }
  // The limit counts each message from its opening parenthesis, not the stream.
  const Outcome many = ReadInPieces(sized(16) + " \n" + sized(16) + sized(17), 5, 16);
  EXPECT_EQ(many.messages.size(), 2u);
  EXPECT_EQ(many.fault, "a message longer than 16 bytes");
}

}  // namespace
}  // namespace dayweave::agent
