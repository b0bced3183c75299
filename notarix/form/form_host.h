// What the form grid asks of the window that shows it. The form editor
// installs its own; tests install a recording one; with none installed the
// grid works alone (no boxes, no status texts, nothing painted). Empty hooks
// are skipped.
#pragma once

#include <functional>
#include <string>

struct FormHost {
    std::function<void(const std::string& text)> show_status;  // status-bar text
    std::function<void()> restore_status;                       // back to the default text
    std::function<void()> beep;
    // A box with the warning icon: caption and its text (lines joined).
    std::function<void(const std::string& caption, const std::string& text)> warn;
    // The editor's font and rubber-band pen.
    std::function<void()> create_drawing_tools;
    std::function<void()> delete_drawing_tools;
    // After a form was loaded or rebuilt: scroll ranges from the client
    // size, the previous caret row forgotten, everything repainted.
    std::function<void()> form_replaced;
};

// Installs the host (an empty record removes it).
void set_form_host(FormHost host);
const FormHost& form_host();
