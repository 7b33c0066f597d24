// Fuzzes the reading of controls.cfg: the game's parser against a reference
// reader built on regular expressions, and whatever it accepts must be a set
// of bindings a player could have chosen.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/bindings.h"
#include "platform/tessera.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "controls.cfg reading broken: %s\n", what);
    std::abort();
}

bool Same(const Bindings& a, const Bindings& b) {
    return a.scheme == b.scheme && std::memcmp(a.keys, b.keys, sizeof a.keys) == 0 &&
           std::memcmp(a.pads, b.pads, sizeof a.pads) == 0;
}

// What a player could have bound: named keys, Escape for the pause only, any
// pad button but B, and no key or button twice.
bool Playable(const Bindings& set) {
    for (int a = 0; a < BINDABLE_ACTION_COUNT; ++a) {
        if (Bindings_KeyName(set.keys[a])[0] == '\0') return false;
        if (set.keys[a] == TS_KEY_ESCAPE && a != CONTROL_PAUSE) return false;
        if (set.pads[a] < 0 || set.pads[a] >= TS_PAD_BUTTON_COUNT || set.pads[a] == TS_PAD_B) {
            return false;
        }
        for (int b = 0; b < a; ++b) {
            if (set.keys[a] == set.keys[b] || set.pads[a] == set.pads[b]) return false;
        }
    }
    return true;
}

// The file's rules said as patterns over whole lines: a word, white space,
// numbers of one to six digits, nothing after. Lines of 256 bytes or more
// are passed over.
bool ReferenceParse(const std::string& text, int scheme, Bindings* out) {
    static const std::regex schemeLine("[ \t\r\v\f]*scheme[ \t\r\v\f]+([0-9]{1,6})[ \t\r\v\f]*");
    static const std::regex actionLine(
        "[ \t\r\v\f]*(thrust|left|right|map|skip|pause|restart)[ \t\r\v\f]+([0-9]{1,6})"
        "[ \t\r\v\f]+([0-9]{1,6})[ \t\r\v\f]*");
    const char* const words[BINDABLE_ACTION_COUNT] = {"thrust", "left",  "right",  "map",
                                                      "skip",   "pause", "restart"};
    Bindings read = Bindings_Defaults(scheme);
    long schemeSeen = -1;
    std::stringstream lines(text);
    std::string line;
    while (std::getline(lines, line, '\n')) {
        if (line.size() >= 256) continue;
        std::smatch match;
        if (std::regex_match(line, match, schemeLine)) {
            schemeSeen = std::stol(match[1].str());
        } else if (std::regex_match(line, match, actionLine)) {
            for (int a = 0; a < BINDABLE_ACTION_COUNT; ++a) {
                if (match[1].str() != words[a]) continue;
                read.keys[a] = std::stoi(match[2].str());
                read.pads[a] = std::stoi(match[3].str());
            }
        }
    }
    if (schemeSeen != read.scheme || !Playable(read)) return false;
    *out = read;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The parser sees the bytes as one text, ending at the first NUL.
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const std::string asText(text.data());
    for (int scheme : {0, 2}) {
        Bindings parsed = Bindings_Defaults(3);
        Bindings expected = parsed;
        const bool usable = Bindings_Parse(text.data(), scheme, &parsed);
        Check(usable == ReferenceParse(asText, scheme, &expected), "usable differs");
        Check(Same(parsed, expected), "bindings differ from the reference");
        if (usable) Check(Playable(parsed) && parsed.scheme == scheme, "unplayable bindings");
    }
    return 0;
}
