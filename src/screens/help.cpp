// The Help screen of the main menu: the help page (ui/help_page.h) on its own,
// over the menu background; its "Back" returns to the main menu.
#include "screens/menu_screens.h"
#include "ui/help_page.h"

const GameState HelpScreen = {Help_Init, Help_Update, Help_Exit, "Help"};
