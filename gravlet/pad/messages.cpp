#include "common/text/message_lists.h"
#include "gravlet/pad/messages.h"
#include "platform/kernel/sjis_text.h"

namespace {

// The table ends in ten unused rows; the lookup searches from the front,
// so number 0 answers with its own text, never with one of these.
constexpr MessageEntry kGravletUnusedRows[] = {
    {0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""}, {0, ""},
};

}  // namespace

// GRAVLET's table: its own texts and those it shares, in number order, then
// the unused rows.
const std::array<MessageEntry, kGravletMessageCount> kGravletMessageEntries =
    append_rows(merge_messages<kGravletMessageCount - 10>(kGravletOwnMessages, kMessagesOfAllPrograms,
                                                          kMessagesOfNotarixAndGravlet, kMessagesOfGravletAndOrbaline),
                kGravletUnusedRows);

const MessageTable kGravletMessages = {kGravletMessageEntries.data(), kGravletMessageCount};

std::string gx_text(int id) {
    const char* text = lookup_message(id);
    return text ? text : "";
}
