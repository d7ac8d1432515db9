// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/instancerequest.h"

namespace kurvex {
namespace {

using Args = std::vector<std::string>;

// Arguments arrive whole, and every shorter piece of the request only says
// "more to come": a reader never acts on half a request.
TEST(InstanceRequest, ArgumentsArriveWholeWhicheverPiecesTheBytesComeIn) {
  const Args cases[] = {
      {"--trend"},
      {"", "a\nb", "7\n--x", "ü/ß.kxs"},
      Args(kMaxHandedArguments, "--start"),
      {std::string(kMaxHandedArgumentBytes, 'p')},
  };
  for (const Args& args : cases) {
    const std::string request = ActivationRequest(args);
    for (std::size_t size = 0; size < request.size(); ++size) {
      const TActivationRequest piece = ReadActivationRequest(std::string_view(request).substr(0, size));
      ASSERT_EQ(piece.Status, TActivationRequest::Incomplete) << size;
      EXPECT_EQ(piece.Activate, size >= 9) << size;
      EXPECT_TRUE(piece.Arguments.empty());
    }
    const TActivationRequest whole = ReadActivationRequest(request);
    EXPECT_EQ(whole.Status, TActivationRequest::Complete);
    EXPECT_TRUE(whole.Activate);
    EXPECT_EQ(whole.Arguments, args);
  }
}

TEST(InstanceRequest, WithoutUsableArgumentsOnlyTheActivationIsSent) {
  for (const Args& args : {Args{}, Args(kMaxHandedArguments + 1, "--start"),
                           Args{"--trend", std::string(kMaxHandedArgumentBytes + 1, 'p')}}) {
    EXPECT_EQ(ActivationRequest(args), "activate\n") << args.size();
  }
}

TEST(InstanceRequest, MalformedOrOversizedBytesAreIgnored) {
  const struct {
    std::string bytes;
    bool activate;
  } cases[] = {
      {"activatE\n", false},
      {"hello", false},
      {"activate\nx\n", true},
      {"activate\n\n", true},
      {"activate\n0\n", true},
      {"activate\n-1\n", true},
      {"activate\n65\n", true},
      {"activate\n123456", true},
      {"activate\n1\n4097\n", true},
      {"activate\n1\n00004097", true},
      {"activate\n1\n3 \nabc", true},
      {"activate\n1\n3\nabcd", true},
      {"activate\nactivate\n", true},
  };
  for (const auto& c : cases) {
    const TActivationRequest request = ReadActivationRequest(c.bytes);
    EXPECT_EQ(request.Status, TActivationRequest::Invalid) << c.bytes;
    EXPECT_EQ(request.Activate, c.activate) << c.bytes;
    EXPECT_TRUE(request.Arguments.empty()) << c.bytes;
  }
}

}  // namespace
}  // namespace kurvex
