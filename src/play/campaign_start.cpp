// The campaign's starting level, handed over from the menus.
#include "play/campaign_start.h"

int campaignStartIndex = 0;
