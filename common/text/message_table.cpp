#include "common/text/message_table.h"

#include <cstdarg>
#include <cstdio>

#include "common/analysis/text_utils.h"
#include "common/text/message_lists.h"
#include "platform/kernel/sjis_text.h"

// NOTARIX's table: its own texts and those it shares, in number order.
const std::array<MessageEntry, kNotarixMessageCount> kNotarixMessageEntries = merge_messages<kNotarixMessageCount>(
    kNotarixOwnMessages, kMessagesOfAllPrograms, kMessagesOfNotarixAndGravlet, kMessagesOfNotarixAndOrbaline);

const MessageTable kNotarixMessages = {kNotarixMessageEntries.data(), kNotarixMessageCount};

namespace {
const MessageTable* g_message_table = &kNotarixMessages;
}

void set_message_table(const MessageTable& table) { g_message_table = &table; }

const MessageTable& current_message_table() { return *g_message_table; }

const char* lookup_message(const MessageTable& table, int id) {
    for (int i = 0; i < table.count; ++i) {
        if (table.entries[i].id == id) return table.entries[i].text;
    }
    return nullptr;
}

const char* lookup_message(int id) { return lookup_message(*g_message_table, id); }

std::string join_box_lines(std::string_view line1, std::string_view line2, std::string_view line3,
                           bool wide_buffer) {
    std::string text(line1);
    if (!line2.empty()) {
        text += '\n';
        text += line2;
        if (!line3.empty()) {
            text += '\n';
            text += line3;
        }
    }
    const int limit = wide_buffer ? 1023 : 511;
    if (static_cast<int>(text.size()) > limit) text.resize(char_boundary_at_or_before(text, limit));
    return text;
}

std::string make_box_caption(std::string_view operation) {
    // 【 and 】
    std::string caption = "【 "_sjis;
    caption += operation;
    caption += " 】"_sjis;
    return caption;
}

std::string format_text(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int size = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out;
    if (size > 0) {
        out.resize(static_cast<size_t>(size) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<size_t>(size));
    }
    va_end(again);
    return out;
}
