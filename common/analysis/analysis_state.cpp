#include "common/analysis/analysis_state.h"

#include "common/analysis/support.h"

AnalysisState g_analysis;

const char* const kClassHeadPrefixWords[7] = {"auto",  "extern", "register", "static",
                                              "typedef", "const", "volatile"};

namespace {
const char* const kNotarixAlone[] = {"class", "template"};
const char* const kNotarixAfter[] = {"class"};
const char* const kGravletWords[] = {"struct", "union", "enum"};
const char* const kOrbalineAlone[] = {"struct", "union", "enum", "class", "template"};
const char* const kOrbalineAfter[] = {"struct", "union", "enum", "class"};
}  // namespace

const AnalysisProfile kNotarixAnalysis = {.program = "nx",
                                          .line_size = 1024,
                                          .max_include_depth = 21,
                                          .class_words = kNotarixAlone,
                                          .class_word_count = 2,
                                          .class_words_after_prefix = kNotarixAfter,
                                          .class_word_after_prefix_count = 1,
                                          .ignore_alloc_failure = kCodeNoMemory,
                                          .default_error_file = "",
                                          .default_ignore_file = "",
                                          .statement_cut = 100,
                                          .comment_cut = 250};
const AnalysisProfile kGravletAnalysis = {.program = "gx",
                                          .line_size = 2048,
                                          .max_include_depth = 20,
                                          .class_words = kGravletWords,
                                          .class_word_count = 3,
                                          .class_words_after_prefix = kGravletWords,
                                          .class_word_after_prefix_count = 3,
                                          .ignore_alloc_failure = kCodeNoMemoryConverter,
                                          .default_error_file = "",
                                          .default_ignore_file = "",
                                          .statement_cut = 100,
                                          .comment_cut = 250,
                                          .members_named_with_class = false};
const AnalysisProfile kOrbalineAnalysis = {.program = "oq",
                                           .line_size = 2048,
                                           .max_include_depth = 20,
                                           .class_words = kOrbalineAlone,
                                           .class_word_count = 5,
                                           .class_words_after_prefix = kOrbalineAfter,
                                           .class_word_after_prefix_count = 4,
                                           .ignore_alloc_failure = kCodeNoMemoryConverter,
                                           .default_error_file = "PP_ERROR.TXT",
                                           .default_ignore_file = "pp_macro.ign",
                                           .statement_cut = 100,
                                           .comment_cut = 250,
                                           .switch_brace_in_body = true,
                                           .initializer_in_declaration = false,
                                           .initializer_calls_kept = true};

void reset_analysis_settings() {
    g_analysis.settings = AnalysisSettings{};
    g_analysis.settings.ignore_file = g_analysis.profile->default_ignore_file;
}

void reset_analysis_state(const AnalysisProfile& profile) {
    close_all_tracked_files();
    free_pool();
    g_analysis = AnalysisState{};
    g_analysis.profile = &profile;
    g_analysis.error_file = profile.default_error_file;
    reset_analysis_settings();
    init_pool();
}
