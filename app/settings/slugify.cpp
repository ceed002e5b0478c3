#include "app/settings/slugify.h"

#include "runtime/text.h"

namespace settings {
namespace {

char32_t FoldAccent(char32_t c) {
  switch (c) {
    case U'à': case U'â': return U'a';
    case U'é': case U'è': case U'ê': return U'e';
    case U'î': return U'i';
    case U'ô': return U'o';
    case U'ù': case U'û': return U'u';
    case U'ç': return U'c';
    default: return c;
  }
}

}  // namespace

std::string Slugify(std::string_view text) {
  std::string slug;
  for (char32_t c : runtime::DecodeUtf8(runtime::LCase(text))) {
    c = FoldAccent(c);
    const bool kept = (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9');
    const char out = kept ? static_cast<char>(c) : '-';
    if (out == '-' && !slug.empty() && slug.back() == '-') continue;
    slug += out;
  }
  if (!slug.empty() && slug.front() == '-') slug.erase(0, 1);
  if (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

}  // namespace settings
