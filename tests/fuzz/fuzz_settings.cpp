// The settings reader on any settings file, as each of the three programs
// reads it: the record, the document opener's check, the print values, and
// the values GRAVLET's view and ORBALINE's output take from it.
#include "common/print/print_settings.h"
#include "common/shell/settings_file.h"
#include "gravlet/pad/pad_document.h"
#include "gravlet/pad/settings_layout.h"
#include "notarix/viewer/settings_layout.h"
#include "orbaline/chart/chart_output.h"
#include "orbaline/chart/chart_settings.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    static const std::string directory = scratch.path("");
    for (const SettingsProfile* profile : {&kNotarixSettings, &kGravletSettings, &kOrbalineSettings}) {
        scratch.write_input(profile->file_name, fuzz::as_text(data, size));
        SettingsRecord record(*profile);
        SettingsReadInfo info;
        if (read_settings_file(record, directory, &info) == kSettingsOk) {
            check_settings_identity(record);
            read_print_settings(record);
            if (profile == &kOrbalineSettings) chart_output_settings(record);
        }
        reread_settings_for_open(record, directory);
    }
    PadDocument pad;
    SettingsRecord record(kGravletSettings);
    read_pds_index(pad, record, directory, quiet_pad_host());
    close_pds_file(pad);
    fuzz::check_closed();
    scratch.check_inputs();
    return 0;
}
