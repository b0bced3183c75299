// The viewer's document reader on any .lin file: the index, then every page
// replayed through the interpreter; nothing may stay open after the close.
#include "common/shell/document.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    scratch.write_input("d.lin", fuzz::as_text(data, size));
    DocumentState state;
    state.file_name = scratch.path("d.lin");
    if (index_document(state, kNotarixDocument) == kIndexOk) {
        PrimitiveSet nothing;
        for (int page = 0; page < state.page_count; ++page) {
            PageRecordState geometry;
            replay_document_page(state, page, nothing, geometry);
            replay_document_page(state, page, nothing, geometry, ReplayOptions{.grid_records = true}, true);
        }
    }
    state.file.close();
    fuzz::check_closed();
    scratch.check_inputs();
    return 0;
}
