// The headless test fixture.
#include "support/headless.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/preferences.h"
#include "app/assets.h"
#include "app/bindings.h"
#include "app/config.h"
#include "app/window.h"
#include "game/game.h"
#include "support/portable.h"

void HeadlessTest::SetUp() {
    char pattern[] = "/tmp/vexal-test-XXXXXX";
    char* made = mkdtemp(pattern);
    ASSERT_NE(made, nullptr);
    tempDir_ = made;
    const std::string data = tempDir_ + "/data";
    mkdir(data.c_str(), 0700);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    Settings_ResetForTests();
    Preferences_ResetForTests();
    Bindings_ResetForTests();
    LayoutHook = FocusGainedHook = FocusLostHook = nullptr;
    Automation_Start();
    Game_DefineScreens();  // screens switch by name, as in the game
}

void HeadlessTest::TearDown() {
    Assets_FreeAll();  // what a splash read ahead too: the next test starts afresh
    Automation_Stop();
    Bindings_ResetForTests();  // a test's own keys never reach the next one
    LayoutHook = FocusGainedHook = FocusLostHook = nullptr;
    TestFolder_Remove(tempDir_);
}

void HeadlessTest::TapKey(int key) {
    Automation_KeyDown(key);
    Automation_RunFrames(1);
    Automation_KeyUp(key);
    Automation_RunFrames(1);
}

int HeadlessTest::KeyForCharacter(char c) {
    if (c >= 'a' && c <= 'z') return TS_KEY_A + (c - 'a');
    if (c >= 'A' && c <= 'Z') return c;
    if (c >= '0' && c <= '9') return c;
    if (c == ' ') return TS_KEY_SPACE;
    if (c == '-') return TS_KEY_MINUS;
    return 0;
}

void HeadlessTest::TypeText(const char* utf8) {
    for (const char* c = utf8; *c;) {
        size_t length = 1;
        while ((static_cast<unsigned char>(c[length]) & 0xC0) == 0x80) ++length;
        const std::string character(c, length);
        const int key = length == 1 ? KeyForCharacter(*c) : 0;
        if (key) Automation_KeyDown(key);
        Automation_TypeText(character.c_str());
        Automation_RunFrames(1);
        if (key) Automation_KeyUp(key);
        Automation_RunFrames(1);
        c += length;
    }
}

void HeadlessTest::Click(float x, float y) {
    Automation_MouseMove(x, y);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
}

void HeadlessTest::WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string HeadlessTest::ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

bool HeadlessTest::FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

std::string ScreenshotPath(const std::string& name) {
    const std::string folder = std::string(VEXAL_BINARY_DIR) + "/screenshots";
    mkdir(folder.c_str(), 0755);
    return folder + "/" + name;
}

void HeadlessTest::StartGameWindowed() {
    SavePath probe = {{0}, false};
    ASSERT_TRUE(SavePath_Ensure(&probe, "user.cfg"));
    WriteText(SaveFolder() + "user.cfg", "0 100 100 2 ");
    Game_Start();
}
