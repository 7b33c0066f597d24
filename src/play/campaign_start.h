// Where the campaign begins: set by the main menu ("Play" starts at the first
// tutorial) and the level select (any level), read by the campaign screen.
#pragma once

// 0..5 the tutorials, 6..18 the normal levels 1 to 13.
extern int campaignStartIndex;
