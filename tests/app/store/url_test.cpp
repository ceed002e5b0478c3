#include "app/store/url.h"

#include <gtest/gtest.h>

namespace store {
namespace {

TEST(UrlTest, KeepsUnreservedCharactersAndEncodesEveryOtherByte) {
  EXPECT_EQ(UrlEncodeUtf8("AZaz09-._~"), "AZaz09-._~");
  EXPECT_EQ(UrlEncodeUtf8(""), "");
  EXPECT_EQ(UrlEncodeUtf8("é"), "%C3%A9");
  EXPECT_EQ(UrlEncodeUtf8("Bonjour, ça va ?"), "Bonjour%2C%20%C3%A7a%20va%20%3F");
  EXPECT_EQ(UrlEncodeUtf8("a+b=c&d/e%\n"), "a%2Bb%3Dc%26d%2Fe%25%0A");
  EXPECT_EQ(UrlEncodeUtf8("€"), "%E2%82%AC");
}

}  // namespace
}  // namespace store
