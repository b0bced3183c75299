// The printing subsystem's hold on a viewer: the printer set-up record and
// print font of the shell, the frame as owner of its boxes and meter, the
// shell's notify, warning and question boxes and its status bar.
#pragma once

struct PrintProfile;

void install_viewer_print_host(const PrintProfile& profile);
