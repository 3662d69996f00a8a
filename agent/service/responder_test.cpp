#include "agent/service/responder.h"

#include <gtest/gtest.h>

#include "agent/service/kqml_reader.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

// Answers (echo CONTENT), or an error for the content `bad`.
Answer Echo(const KqmlValue& content) {
  if (content.text == "bad") return Answer::Error("bad is bad");
  return Answer::Tell(KqmlValue::List({KqmlValue::Word("echo"), content}));
}

KqmlValue Read(const std::string& text) {
  KqmlReader reader;
  std::vector<KqmlValue> values;
  EXPECT_FALSE(reader.Read(text, values)) << text;
  EXPECT_EQ(values.size(), 1u) << text;
  return values.empty() ? KqmlValue() : values[0];
}

TEST(ResponderTest, EnvelopeAndRefusals) {
  const Responder responder("dayweave", Echo);
  for (auto row : testing::TableRows("kqml-replies.txt")) {
    for (std::size_t at; (at = row[0].find("\\r")) != std::string::npos;)
      row[0].replace(at, 2, "\r");
    const Reply reply = responder.Respond(Read(row[0]));
    EXPECT_EQ(reply.text, row.at(1)) << row[0];
    EXPECT_EQ(reply.fault.empty(), row[1].starts_with("(tell ")) << row[0];
  }
}

TEST(ResponderTest, AReplyOverTheLimitBecomesAnErrorAndANameThatIsNotAWordIsQuoted) {
  const std::string name = "ana's \"agent\"";
  const std::string fits = R"((tell :sender "ana's \"agent\"" :content (echo x)))";
  const KqmlValue question = Read("(ask-one :content x)");
  EXPECT_EQ(Responder(name, Echo, fits.size()).Respond(question).text, fits);
  EXPECT_EQ(Responder(name, Echo, fits.size() - 1).Respond(question).text,
            R"((error :sender "ana's \"agent\"" :comment "the answer would be longer than )" +
                std::to_string(fits.size() - 1) + " bytes\")");
  EXPECT_EQ(Responder(name, Echo).Refusal("too many connections"),
            R"((error :sender "ana's \"agent\"" :comment "too many connections"))");
}

}  // namespace
}  // namespace dayweave::agent
