// Fuzzes the placeholder expansion of level texts under every control scheme:
// never past the text, never longer, and known placeholders always expand.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/config.h"
#include "level/level.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "key substitution broken: %s\n", what);
    std::abort();
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
