// The settings reader on any settings file, and the document opener's check
// of what it read.
#include "common/shell/settings_file.h"
#include "notarix/viewer/settings_layout.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    static const std::string directory = scratch.path("");
    scratch.write(kNotarixSettings.file_name, fuzz::as_text(data, size));
    SettingsRecord record(kNotarixSettings);
    SettingsReadInfo info;
    if (read_settings_file(record, directory, &info) == kSettingsOk) check_settings_identity(record);
    reread_settings_for_open(record, directory);
    if (crt_open_count() != 0) fuzz::finding("a file left open");
    return 0;
}
