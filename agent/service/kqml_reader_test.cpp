#include "agent/service/kqml_reader.h"

#include <gtest/gtest.h>

#include "agent/service/kqml_writer.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

// Reads `text` in pieces of `piece` bytes (0: all at once), on past a fault, which is final:
// the messages read, written back one space apart, and the fault.
std::pair<std::string, std::string> ReadInPieces(const std::string& text, std::size_t piece,
                                                 std::size_t most = KqmlReader::kMostMessageBytes) {
  KqmlReader reader(most);
  std::vector<KqmlValue> values;
  std::string fault;
  const std::size_t step = piece == 0 ? text.size() + 1 : piece;
  for (std::size_t at = 0; at < text.size(); at += step) {
    if (auto read = reader.Read(std::string_view(text).substr(at, step), values)) fault = *read;
  }
  std::string messages;
  for (const KqmlValue& value : values)
    messages += (messages.empty() ? "" : " ") + WriteKqml(value);
  return {messages, fault};
}

// Each row of kqml-reading.txt, read at once and in pieces of 1, 2 and 7 bytes.
TEST(KqmlReaderTest, MessagesAndFaultsWhateverThePieces) {
  for (auto row : testing::TableRows("kqml-reading.txt")) {
    std::string& text = row.at(0);
    for (const auto& [written, meant] : {std::pair{"\\t", "\t"}, {"\\r", "\r"}, {"\\f", "\f"}}) {
      for (std::size_t at; (at = text.find(written)) != std::string::npos;)
        text.replace(at, 2, meant);
    }
    for (const std::size_t piece : {0, 1, 2, 7}) {
      EXPECT_EQ(ReadInPieces(text, piece), std::pair(row.at(1), row.at(2)))
          << text << " in pieces of " << piece;
    }
  }
}

TEST(KqmlReaderTest, Limits) {
  const auto nested = [](std::size_t depth) {
    return std::string(depth, '(') + std::string(depth, ')');
  };
  const auto values = [](std::size_t count) {  // the message's list is one of them
    std::string text = "(";
    for (std::size_t i = 1; i < count; ++i) text += i == 1 ? "a" : " a";
    return text + ")";
  };
  const auto sized = [](std::size_t bytes) { return "(" + std::string(bytes - 2, 'x') + ")"; };
  const std::size_t most = KqmlReader::kMostMessageBytes;
  struct Case {
    std::string text;
    std::string fault;  // empty: read as one message, written back as it is
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
    EXPECT_EQ(ReadInPieces(c.text, 1000), std::pair(c.fault.empty() ? c.text : "", c.fault))
        << c.text.substr(0, 40);
  }
  // The limit counts each message from its opening parenthesis, not the stream.
  EXPECT_EQ(ReadInPieces(sized(16) + " \n" + sized(16) + sized(17), 5, 16),
            std::pair(sized(16) + " " + sized(16), std::string("a message longer than 16 bytes")));
}

}  // namespace
}  // namespace dayweave::agent
