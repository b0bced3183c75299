// NOTARIX's use of the shared source-list window
// (common/viewer/source_list.h): in linked mode the list follows the
// "#TAG:" line of the page shown.
#pragma once

#include "common/viewer/source_list.h"

// Linked mode: the current page's "#TAG:" line becomes the current source
// line and the list follows (only while linked mode is on).
int follow_page_tag();
// Turns linked mode on or off; turning it on follows the page at once.
void set_linked_mode(bool on);
