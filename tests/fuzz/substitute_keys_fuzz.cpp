// Fuzzes the placeholder expansion of level texts under every control scheme:
// never past the text, never longer, and the same as a plain reference
// expansion written here from the rules of level texts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/config.h"
#include "level/level.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "key substitution broken: %s\n", what);
    std::abort();
}

// The names each control scheme's keys go by in texts: thrust, turn left,
// turn right (WAD, Arrow, ArrowSpace, Hybrid).
const char* const kSchemeKeyNames[CONTROL_SCHEME_COUNT][3] = {
    {"W", "A", "D"},
    {"Up Arrow", "Left Arrow", "Right Arrow"},
    {"Spacebar", "Left Arrow", "Right Arrow"},
    {"Spacebar", "A", "D"},
};

// A '$' opens a token that runs to the next '$' or to the end of the text.
// "$THRUST_KEY$", "$TLEFT_KEY$" and "$TRIGHT_KEY$" (closed or not) become the
// key's name; every other token vanishes with its '$' signs. At most 299
// characters are kept.
std::string ReferenceExpansion(const std::string& text, int scheme) {
    const std::string placeholders[3] = {"THRUST_KEY", "TLEFT_KEY", "TRIGHT_KEY"};
    std::string result;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] != '$') {
            result += text[at++];
            continue;
        }
        const size_t close = text.find('$', at + 1);
        const size_t end = close == std::string::npos ? text.size() : close;
        const std::string token = text.substr(at + 1, end - at - 1);
        for (int action = 0; action < 3; ++action) {
            if (token == placeholders[action]) result += kSchemeKeyNames[scheme][action];
        }
        at = close == std::string::npos ? text.size() : close + 1;
    }
    return result.substr(0, 299);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the scheme; the rest is the text, in a buffer of
    // exactly its size so that AddressSanitizer sees any write past it.
    userConfig.controlScheme = data[0] % CONTROL_SCHEME_COUNT;
    std::vector<char> text(data + 1, data + size);
    text.push_back('\0');
    const size_t length = std::strlen(text.data());
    std::vector<char> original(text);

    SubstituteKeyNames(text.data());
    const size_t result = std::strlen(text.data());
    Check(result <= length, "the text grew");
    Check(result <= 299, "the text is longer than a level text holds");

    Check(ReferenceExpansion(std::string(original.data(), length), userConfig.controlScheme) ==
              text.data(),
          "differs from the reference expansion");

    // Without any '$' nothing changes (beyond the length cap).
    if (!std::memchr(original.data(), '$', length)) {
        Check(std::strncmp(original.data(), text.data(), result) == 0, "plain text changed");
    }
    // A text made of one known placeholder becomes that key's name.
    const char* thrust = "$THRUST_KEY$";
    if (length == std::strlen(thrust) && std::memcmp(original.data(), thrust, length) == 0) {
        Check(std::strcmp(text.data(), KeyName(SchemeKey(ACTION_THRUST))) == 0, "thrust key");
    }
    return 0;
}
