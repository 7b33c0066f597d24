// A test fixture that runs the real framework headless (dummy video and audio,
// software rendering, 1/60 s frames) with a fresh save folder per test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/automation.h"

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh folder for this test; XDG_DATA_HOME points into it.
    const std::string& TempDir() const { return tempDir_; }
    std::string SaveFolder() const { return tempDir_ + "/data/Orrinth/Vexal/"; }

    // Press and release a key over two frames (down on one, up on the next).
    void TapKey(int key);
    // Types UTF-8 text as a keyboard does, a character every two frames: the
    // character's key (for letters, digits, space and minus) goes down with
    // its text, then up on the next frame.
    static void TypeText(const char* utf8);
    // The key a keyboard presses for an ASCII character, or 0.
    static int KeyForCharacter(char c);
    // Move the pointer there and click with the left button.
    void Click(float x, float y);

    // Starts the whole game as a player would (start-up, splash, menus),
    // from saved settings that keep it in a window.
    void StartGameWindowed();

    // Writes a whole text file (for settings, scores and levels in tests).
    static void WriteText(const std::string& path, const std::string& text);
    static std::string ReadText(const std::string& path);
    static bool FileExists(const std::string& path);

private:
    std::string tempDir_;
};

// Where screenshots of tests go for review (created on demand).
std::string ScreenshotPath(const std::string& name);
