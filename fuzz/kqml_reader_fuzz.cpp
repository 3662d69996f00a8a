// The KQML expression reader on arbitrary bytes, as a TCP connection may deliver them: the
// first byte says how long the pieces are. Whatever the pieces, the reader finds the same
// messages and the same fault; every message it finds, written back, reads as the same
// message; and the service's envelope answers each one.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "agent/service/kqml_reader.h"
#include "agent/service/kqml_writer.h"
#include "agent/service/responder.h"

namespace {

using dayweave::agent::Answer;
using dayweave::agent::KqmlReader;
using dayweave::agent::KqmlValue;
using dayweave::agent::WriteKqml;

struct Outcome {
  std::vector<std::string> written;
  std::optional<std::string> fault;
};

Outcome Read(std::string_view text, std::size_t piece) {
  KqmlReader reader(4096);
  std::vector<KqmlValue> messages;
  Outcome outcome;
  for (std::size_t at = 0; at < text.size() && !outcome.fault; at += piece) {
    outcome.fault = reader.Read(text.substr(at, piece), messages);
  }
  for (const KqmlValue& message : messages) outcome.written.push_back(WriteKqml(message));
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % 16;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  const Outcome inPieces = Read(text, piece);
  const Outcome whole = Read(text, text.size() + 1);
  if (inPieces.written != whole.written || inPieces.fault != whole.fault) std::abort();

  for (const std::string& written : whole.written) {
    const Outcome again = Read(written, written.size() + 1);
    if (again.fault || again.written != std::vector<std::string>{written}) std::abort();
  }

  const dayweave::agent::Responder responder(
      "dayweave", [](const KqmlValue& content) { return Answer::Tell(content); });
  KqmlReader reader(4096);
  std::vector<KqmlValue> messages;
  reader.Read(text, messages);
  for (KqmlValue& message : messages) {
    const std::string reply = responder.Respond(std::move(message)).text;
    if (reply.empty() || reply.front() != '(' || reply.back() != ')') std::abort();
  }
  return 0;
}
