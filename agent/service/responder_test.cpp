#include "agent/service/responder.h"

#include <gtest/gtest.h>

#include "agent/service/kqml_reader.h"

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
  struct Case {
    std::string question;
    std::string reply;
    bool fault;
  } cases[] = {
      {"(ask-one :sender ana :reply-with q7 :content (free x))",
       "(tell :sender dayweave :receiver ana :in-reply-to q7 :content (echo (free x)))", false},
      {"(ASK-ALL :Content (slots) :REPLY-WITH \"q 8\")",
       R"((tell :sender dayweave :in-reply-to "q 8" :content (echo (slots))))", false},
      {"(ask-one :receiver dayweave :content x :content y)",
       "(tell :sender dayweave :content (echo x))", false},
      {"(ask-one :receiver \"dayweave\" :sender (a b) :content x)",
       "(tell :sender dayweave :receiver (a b) :content (echo x))", false},
      {"(ask-one :sender ana :receiver bo :content x)",
       R"((sorry :sender dayweave :receiver ana :comment "this is dayweave, not bo"))", true},
      {"(ask-one :sender \"a\r\nb\" :content \"x\ny\")",
       "(tell :sender dayweave :receiver \"a  b\" :content (echo \"x y\"))", false},
      {"(ask-one :receiver \"b\no\" :content x)",
       R"((sorry :sender dayweave :comment "this is dayweave, not b o"))", true},
      {"(ask-one :receiver (bo) :content x)",
       R"x((sorry :sender dayweave :comment "this is dayweave, not (bo)"))x", true},
      {"(Tell :content x)",
       R"((sorry :sender dayweave :comment "dayweave answers ask-one and ask-all, not tell"))",
       true},
      {"(ask-one :sender ana)",
       R"((error :sender dayweave :receiver ana :comment "the question has no :content"))", true},
      {"(ask-one :content bad)", R"((error :sender dayweave :comment "bad is bad"))", true},
      {"(ask-one :sender)",
       R"((error :sender dayweave :comment "the keyword :sender has no value"))", true},
      {"(ask-one content x)",
       R"((error :sender dayweave :comment "a message's parameters are pairs of a :keyword and a value"))",
       true},
      {"((ask-one))",
       R"((error :sender dayweave :comment "a message begins with its performative, a word"))",
       true},
      {"()",
       R"((error :sender dayweave :comment "a message begins with its performative, a word"))",
       true},
  };
  const Responder responder("dayweave", Echo);
  for (const Case& c : cases) {
    const Reply reply = responder.Respond(Read(c.question));
    EXPECT_EQ(reply.text, c.reply) << c.question;
    EXPECT_EQ(!reply.fault.empty(), c.fault) << c.question;
  }
}

TEST(ResponderTest, AReplyOverTheLimitBecomesAnError) {
  const std::string fits = "(tell :sender dayweave :content (echo x))";
  for (const std::size_t most : {fits.size(), fits.size() - 1}) {
    const Responder responder("dayweave", Echo, most);
    EXPECT_EQ(responder.Respond(Read("(ask-one :content x)")).text,
              most == fits.size() ? fits
                                  : "(error :sender dayweave :comment \"the answer would be longer "
                                    "than " +
                                        std::to_string(most) + " bytes\")");
  }
}

TEST(ResponderTest, ANameThatIsNotAWordIsQuoted) {
  const Responder responder("ana's \"agent\"", Echo);
  EXPECT_EQ(responder.Respond(Read("(ask-one :content x)")).text,
            R"((tell :sender "ana's \"agent\"" :content (echo x)))");
  EXPECT_EQ(responder.Respond(Read(R"((ask-one :receiver "ana's \"agent\"" :content x))")).text,
            R"((tell :sender "ana's \"agent\"" :content (echo x)))");
  EXPECT_EQ(responder.Refusal("too many connections"),
            R"((error :sender "ana's \"agent\"" :comment "too many connections"))");
}

}  // namespace
}  // namespace dayweave::agent
