// Review pictures for people, written outside Assets: the contact sheet and test scenes.
#pragma once

#include <string>

// Reads back the written assets from `assets` and writes the review pictures into `folder`.
bool Review_Write(const std::string& assets, const std::string& folder);
