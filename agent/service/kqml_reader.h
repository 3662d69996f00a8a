// Reads KQML messages from a byte stream that arrives in pieces, as a TCP connection delivers
// it. A message is one parenthesised expression; messages are separated by any white space.
// An expression or a string still open at the end of a piece simply waits for the next piece.
//
// Text that is not KQML is a fault, after which the reader reads nothing more:
//   - a closing parenthesis with nothing open, or text other than blanks between messages;
//   - a backslash in a string followed by anything but `"` or `\`;
//   - a double quote inside a word (`ab"c`);
//   - a message longer than its byte limit (64 KiB unless told), lists nested deeper than
//     kDeepestNesting, or more than kMostValues values in one message. These bound the memory
//     one connection may hold.
//
// Example:
//   KqmlReader reader;
//   std::vector<KqmlValue> messages;
//   reader.Read("(ask-one :content (fr", messages);   // nothing yet: the message is open
//   reader.Read("ee))\n(tell)", messages);             // messages holds both
//   reader.Read(")", messages) == "a closing parenthesis with nothing open"
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "agent/service/kqml_value.h"

namespace dayweave::agent {

class KqmlReader {
 public:
  static constexpr std::size_t kMostMessageBytes = 64 * 1024;
  static constexpr std::size_t kDeepestNesting = 32;
  static constexpr std::size_t kMostValues = 4096;

  explicit KqmlReader(std::size_t mostMessageBytes = kMostMessageBytes)
      : mostMessageBytes_(mostMessageBytes) {}

  // Read
  // Reads the next piece of the stream and appends each message it completes to `messages`.
  // Answers the fault, in words, once the text is not KQML; the messages completed before it
  // are still appended. Every later call answers the same fault.
  std::optional<std::string> Read(std::string_view bytes, std::vector<KqmlValue>& messages);

 private:
  enum class Token { kNone, kWord, kString, kEscape };

  std::optional<std::string> Step(char c, std::vector<KqmlValue>& messages);
  std::optional<std::string> Open();
  void Close(std::vector<KqmlValue>& messages);
  std::optional<std::string> EndToken(KqmlValue::Kind kind);

  std::size_t mostMessageBytes_;
  std::vector<KqmlValue> open_;  // the lists not yet closed, outermost first
  Token token_ = Token::kNone;
  std::string text_;              // the word or string being read
  std::size_t messageBytes_ = 0;  // of the open message, from its opening parenthesis
  std::size_t values_ = 0;        // in the open message
  std::optional<std::string> fault_;
};

}  // namespace dayweave::agent
